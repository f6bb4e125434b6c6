#!/usr/bin/env bash
# The modules of src/ stand in layers: a file includes headers of its own module and of the
# layers below it, never of a layer above, nor of a module beside it in the same layer. Prints
# every include that breaks this and exits 1; exits 0 when there is none.
# Usage: tools/check-layers.sh [ROOT]   (ROOT defaults to the repository this script is in)

# From the ground up; the modules of one line stand side by side.
LAYERS='
app
store
draw
binds reminder editor
board
program
'

root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root/src" || { echo "check-layers: no src/ under $root"; exit 1; }

declare -A layer
n=0
while read -r line; do
  [ -z "$line" ] && continue
  n=$((n + 1))
  for m in $line; do layer[$m]=$n; done
done <<<"$LAYERS"

status=0
for dir in */; do
  m=${dir%/}
  if [ -z "${layer[$m]:-}" ]; then
    echo "check-layers: src/$m/ is in no layer: add it to LAYERS in tools/check-layers.sh"
    status=1
  fi
done

# One awk over every quoted include: "file:line:text" in, one line per include that breaks a layer.
ranks=$(for m in "${!layer[@]}"; do printf '%s=%s ' "$m" "${layer[$m]}"; done)
broken=$(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' --include='*.h' --include='*.cpp' . |
  sed 's|^\./||' |
  awk -v ranks="$ranks" '
    BEGIN { n = split(ranks, pairs, " "); for (i = 1; i <= n; i++) { split(pairs[i], kv, "="); rank[kv[1]] = kv[2] } }
    {
      split($0, parts, ":"); file = parts[1]; line = parts[2]
      target = $0; sub(/^[^"]*"/, "", target); sub(/".*$/, "", target)
      from = file; sub(/\/.*/, "", from)
      if (index(target, "/") == 0) next  # a header beside the file, no module named
      to = target; sub(/\/.*/, "", to)
      if (from == to || !(from in rank)) next
      where = "src/" file ":" line ": includes \"" target "\""
      if (!(to in rank)) print where ", which is in no module of src/"
      else if (rank[to] > rank[from])
        print where ": " to " stands above " from " (layer " rank[to] " over " rank[from] "); move the code down or hand it in from above"
      else if (rank[to] == rank[from])
        print where ": " to " and " from " stand side by side (layer " rank[from] ") and never include each other"
    }')
if [ -n "$broken" ]; then
  echo "$broken"
  status=1
fi

[ $status -eq 0 ] && echo "check-layers: every include of src/ goes down or stays in its module"
exit $status

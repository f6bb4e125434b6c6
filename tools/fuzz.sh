#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number of seconds.
set -u
KALMEX_ROOT=$(cd "$(dirname "$0")/.." && pwd)
root=$KALMEX_ROOT
source "$root/tools/build.sh"
seconds=${1:-15}
tree="$root/build/fuzz"
CC=clang CXX=clang++ kalmex_build_tree fuzz -DCMAKE_BUILD_TYPE=Debug -DKALMEX_FUZZ=ON || exit 1
seeds=()
[ -d "$root/tests/fuzz/seeds" ] && seeds=("$root/tests/fuzz/seeds")
status=0
for target in "$tree"/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="$tree/corpus-$name"
  mkdir -p "$corpus"
  if "$target" -print_final_stats=1 -max_total_time="$seconds" -max_len=70000 -rss_limit_mb=2048 "$corpus" \
      "${seeds[@]}" >"$tree/$name.log" 2>&1; then
    echo "$name: no crash in ${seconds} s ($(grep -o 'stat::number_of_executed_units: [0-9]*' "$tree/$name.log" | grep -o '[0-9]*$' || echo '?') runs)"
  else
    echo "$name: FAILED, see $tree/$name.log"; tail -30 "$tree/$name.log"; status=1
  fi
done
exit $status

#!/usr/bin/env bash
# CPU of the running kalmex.exe over 30 s idle with a full board visible (timer at 10 Hz), read
# from /proc: GetProcessTimes of another process reads 0 under Wine. Run after ./benchmark built
# the tree: bench/idle-cpu.sh [seconds]
set -u
KALMEX_ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$KALMEX_ROOT"
source tools/wine-env.sh
unset DISPLAY
seconds=${1:-30}
folder=$(mktemp -d)
cp "$KALMEX_WIN_TREE/kalmex.exe" "$folder/"
python3 - "$folder/zoltex_data.txt" <<'PY'
import sys
lines = ["ZOLTEX1", "400|1000000400"]
for i in range(400):
    state = (0, 2, 1)[i % 3]
    done = 1796605200 if state == 1 else 0
    number = ("INC-%010d-%016d" % (1000000000 + i, 7))[:30]
    text = "".join(chr(0x430 + (k + i) % 32) for k in range(118))
    lines.append("%d|%d|%d|1796601600|1796601600|%d|%s|%s" % (state, 1000000000 + i, 1000 + i, done, number, text))
open(sys.argv[1], "w", encoding="utf-8", newline="").write("\r\n".join(lines) + "\r\n")
PY
trap kalmex_wine_down EXIT
kalmex_wine_up 96
(cd "$folder" && exec wine kalmex.exe) &
pid=$!  # wine execs its loader in place: this process runs kalmex.exe
sleep 4
tr '\0' ' ' <"/proc/$pid/cmdline" | grep -q 'kalmex\.exe' || { echo "kalmex.exe did not start"; exit 1; }
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
hz=$(getconf CLK_TCK)
for round in 1 2 3; do
  a=$(ticks); t0=$(date +%s.%N)
  sleep "$seconds"
  b=$(ticks); t1=$(date +%s.%N)
  echo "round $round: $(echo "scale=2; 100 * ($b - $a) / $hz / ($t1 - $t0)" | bc) % of one core over $seconds s"
done
kill "$pid" 2>/dev/null
rm -rf "$folder"

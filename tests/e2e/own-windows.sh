#!/usr/bin/env bash
# The focus tests once more in a Wine prefix without the virtual desktop: every top-level window is
# an X window of its own and gets the activation a moment after it is shown, as on a real desktop.
# The prefix is a copy of the test prefix with the desktop setting removed; it has a wineserver of
# its own, stopped at the end.
set -u
exe=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
base=${WINEPREFIX:?the test prefix}
own="$base-own-windows"
if [ ! -f "$own/.kalmex-own-windows" ]; then
  rm -rf "$own"
  cp -a "$base" "$own" || exit 1
  WINEPREFIX="$own" wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1
  WINEPREFIX="$own" wineserver -w
  touch "$own/.kalmex-own-windows"
fi
export WINEPREFIX="$own"
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
"$root/tools/wine-run" "$exe" --gtest_filter='Focus.*'
status=$?
wineserver -k >/dev/null 2>&1
exit $status

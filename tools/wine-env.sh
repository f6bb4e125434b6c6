# A display and a Wine prefix of the project's own, so tests never touch a person's desktop or home.
# Sourced by ./run, ./test and ./bench; kalmex_wine_up starts them, kalmex_wine_down stops them.
KALMEX_ROOT=${KALMEX_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX="$KALMEX_ROOT/build/wineprefix"
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=C.UTF-8
KALMEX_XVFB_PID=""

kalmex_display_up() {
  local fd_file
  fd_file=$(mktemp)
  setsid Xvfb -displayfd 1 -screen 0 1920x1080x24 -nolisten tcp >"$fd_file" 2>/dev/null &
  KALMEX_XVFB_PID=$!
  for _ in $(seq 100); do
    [ -s "$fd_file" ] && break
    sleep 0.1
  done
  export DISPLAY=":$(head -n1 "$fd_file")"
  rm -f "$fd_file"
}

kalmex_prefix_up() {
  local dpi=${1:-96}
  if [ ! -f "$WINEPREFIX/.kalmex-ready" ]; then
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wineserver -w
    # Every program runs inside one virtual desktop (real captions, Wine-managed focus).
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1920x1080 /f >/dev/null 2>&1
    # A crash must fail a test, not wait on a dialog.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.kalmex-ready"
  fi
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
}

kalmex_wine_up() {
  kalmex_display_up
  kalmex_prefix_up "${1:-96}"
}

kalmex_wine_down() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "$KALMEX_XVFB_PID" ] && kill "$KALMEX_XVFB_PID" 2>/dev/null
  KALMEX_XVFB_PID=""
}

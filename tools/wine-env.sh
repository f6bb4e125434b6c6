# A display and a Wine prefix of the project's own, so tests never touch a person's desktop or home.
# Sourced by ./run, ./test and ./benchmark; kalmex_wine_up starts them, kalmex_wine_down stops them.
KALMEX_ROOT=${KALMEX_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
# Wine runs 32-bit Windows programs only where the kernel runs 32-bit Linux programs, and some
# kernels boot with that off. There, and where the 32-bit part of Wine cannot be installed, the
# Windows programs and tests come from the x64 tree (build/windows64, the same sources) and run
# under 64-bit Wine; kalmex.exe as shipped stays the 32-bit build of build/windows.
kalmex_runs_i386() {
  local probe rc
  probe=$(mktemp) || return 1
  # The smallest i386 Linux program: exit(0).
  printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010\135\000\000\000\135\000\000\000\005\000\000\000\000\020\000\000\061\333\270\001\000\000\000\315\200' >"$probe"
  chmod +x "$probe"
  "$probe" 2>/dev/null
  rc=$?
  rm -f "$probe"
  return $rc
}

# Which Wine this machine runs the Windows tests with, and why (said by ./test and ./run): the
# 32-bit one where the kernel runs 32-bit programs, unless KALMEX_WIN_ARCH chose otherwise or the
# 32-bit part of Wine cannot be installed (tools/deps.sh then switches with kalmex_use_x64).
if [ -z "${KALMEX_WIN_ARCH_REASON:-}" ]; then
  if [ -n "${KALMEX_WIN_ARCH:-}" ]; then
    KALMEX_WIN_ARCH_REASON="KALMEX_WIN_ARCH=$KALMEX_WIN_ARCH chose the mode"
  elif kalmex_runs_i386; then
    KALMEX_WIN_ARCH=i686
    KALMEX_WIN_ARCH_REASON="this machine runs 32-bit programs"
  else
    KALMEX_WIN_ARCH=x86_64
    KALMEX_WIN_ARCH_REASON="this machine cannot run 32-bit programs"
  fi
fi
export KALMEX_WIN_ARCH KALMEX_WIN_ARCH_REASON

# The tree, the prefix and the Wine of the mode.
kalmex_arch_env() {
  if [ "$KALMEX_WIN_ARCH" = i686 ]; then
    export KALMEX_WIN_TREE="$KALMEX_ROOT/build/windows"
    export WINEPREFIX="$KALMEX_ROOT/build/wineprefix"
    export WINEARCH=win32
    return 0
  fi
  export KALMEX_WIN_TREE="$KALMEX_ROOT/build/windows64"
  export WINEPREFIX="$KALMEX_ROOT/build/wineprefix64"
  export WINEARCH=win64
  # wine, wineserver, wineboot and winepath of the 64-bit loader, first on the PATH.
  local bin="$KALMEX_ROOT/build/wine64-bin"
  if [ ! -x "$bin/winepath" ]; then
    mkdir -p "$bin"
    printf '#!/bin/sh\nexport WINELOADER=/usr/lib/wine/wine64\nexec /usr/lib/wine/wine64 "$@"\n' >"$bin/wine"
    printf '#!/bin/sh\nexec /usr/lib/wine/wineserver64 "$@"\n' >"$bin/wineserver"
    printf '#!/bin/sh\nexec "$(dirname "$0")/wine" wineboot.exe "$@"\n' >"$bin/wineboot"
    printf '#!/bin/sh\nexec "$(dirname "$0")/wine" winepath.exe "$@"\n' >"$bin/winepath"
    chmod +x "$bin"/*
  fi
  case ":$PATH:" in *":$bin:"*) ;; *) export PATH="$bin:$PATH" ;; esac
}

# Goes on in the x64 mode, for the reason given.
kalmex_use_x64() {
  export KALMEX_WIN_ARCH=x86_64 KALMEX_WIN_ARCH_REASON="$1"
  kalmex_arch_env
}

# One line for the commands to say when the Windows tests and ./run use the x64 build.
kalmex_mode_line() {
  echo "$KALMEX_WIN_ARCH_REASON: the Windows tests run on the x64 build of the same sources" \
    "(the shipped kalmex.exe is still the 32-bit build)"
}
kalmex_arch_env
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=C.UTF-8
KALMEX_XVFB_PID=""

# A private X display of its own: DISPLAY names it, KALMEX_XVFB_PID is its server.
kalmex_xvfb_up() {
  local fd_file
  fd_file=$(mktemp)
  # -noreset: by default the server starts over whenever its last client leaves, and a program
  # connecting in that moment (the next test's, the window manager) is refused its display.
  setsid Xvfb -displayfd 1 -noreset -screen 0 1920x1080x24 -nolisten tcp >"$fd_file" 2>/dev/null &
  KALMEX_XVFB_PID=$!
  for _ in $(seq 100); do
    [ -s "$fd_file" ] && break
    sleep 0.1
  done
  export DISPLAY=":$(head -n1 "$fd_file")"
  rm -f "$fd_file"
}

kalmex_display_up() {
  kalmex_xvfb_up
  # tools/wine-run finds the display here, so a bare ctest uses it too.
  mkdir -p "$KALMEX_ROOT/build"
  echo "$DISPLAY $KALMEX_XVFB_PID" >"$KALMEX_ROOT/build/.kalmex-display"
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

kalmex_server_up() {
  # One server for the whole run, stopped by kalmex_wine_down. The one Wine starts by itself
  # leaves as soon as its last program has ended, and a program starting in that moment is
  # refused ("recvmsg: Connection reset by peer") and fails a test that did nothing wrong.
  # Wine's own services and the desktop stay with it: they are started here with their output
  # going nowhere, since a test's output pipe held open by them would never end. A server that
  # an earlier run left behind is stopped first.
  wineserver -k >/dev/null 2>&1
  wineserver -w
  wineserver -p >/dev/null 2>&1
  if wine reg query 'HKCU\Software\Wine\Explorer' /v Desktop >/dev/null 2>&1; then
    wine explorer.exe /desktop=Default,1920x1080 >/dev/null 2>&1 &
    for _ in $(seq 100); do
      xwininfo -root -tree 2>/dev/null | grep -q 'Wine desktop' && break
      sleep 0.1
    done
  fi
}

kalmex_wine_up() {
  kalmex_display_up
  kalmex_prefix_up "${1:-96}"
  kalmex_server_up
}

# A prefix without the virtual desktop, where every top-level window is an X window of its own,
# on a display of its own with a small window manager, as users have one: a copy of the prefix
# above with the desktop setting removed, with a wineserver of its own. kalmex_own_windows_down
# stops what this started.
KALMEX_MANAGER_PID=""
kalmex_own_windows_up() {
  local base=$WINEPREFIX own="$WINEPREFIX-own-windows"
  if [ ! -f "$own/.kalmex-own-windows" ]; then
    rm -rf "$own"
    cp -a "$base" "$own" || return 1
    WINEPREFIX="$own" wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1
    WINEPREFIX="$own" wineserver -w
    touch "$own/.kalmex-own-windows"
  fi
  export WINEPREFIX="$own"
  kalmex_xvfb_up
  # Wine's own programs, started by this first one, stay with the display they saw first.
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
  wineserver -w
}

# The manager is there once it names its check window on the root ("window id # 0x..."); one
# that did not come up is started again. False when it never does.
kalmex_manager_up() {
  local log=${1:-/dev/null}
  managed() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id #'; }
  for _ in 1 2 3; do
    openbox --sm-disable >"$log" 2>&1 &
    KALMEX_MANAGER_PID=$!
    for _ in $(seq 50); do managed && return 0; sleep 0.1; done
    kill "$KALMEX_MANAGER_PID" 2>/dev/null
    KALMEX_MANAGER_PID=""
  done
  return 1
}

kalmex_own_windows_down() {
  wineserver -k >/dev/null 2>&1
  [ -n "$KALMEX_MANAGER_PID" ] && kill "$KALMEX_MANAGER_PID" 2>/dev/null
  [ -n "$KALMEX_XVFB_PID" ] && kill "$KALMEX_XVFB_PID" 2>/dev/null
  KALMEX_MANAGER_PID=""
  KALMEX_XVFB_PID=""
}

kalmex_wine_down() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$KALMEX_XVFB_PID" ]; then
    kill "$KALMEX_XVFB_PID" 2>/dev/null
    rm -f "$KALMEX_ROOT/build/.kalmex-display"
  fi
  KALMEX_XVFB_PID=""
}

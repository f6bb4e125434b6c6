# Installs what the build and the tests need on Debian 12, only when something is missing.
# Sourced by ./run, ./test, ./benchmark and ./release.
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
kalmex_need_packages() {
  local missing=()
  command -v i686-w64-mingw32-g++-posix >/dev/null || missing+=(g++-mingw-w64-i686)
  command -v cmake >/dev/null || missing+=(cmake)
  command -v g++ >/dev/null || missing+=(g++)
  command -v make >/dev/null || missing+=(make)
  [ -f /usr/src/googletest/CMakeLists.txt ] || missing+=(googletest)
  command -v wine >/dev/null || missing+=(wine)
  if [ "$KALMEX_WIN_ARCH" = i686 ]; then
    [ -e /usr/lib/i386-linux-gnu/wine/i386-windows/kernel32.dll ] || missing+=(wine32:i386)
  else
    command -v x86_64-w64-mingw32-g++-posix >/dev/null || missing+=(g++-mingw-w64-x86-64)
    [ -x /usr/lib/wine/wine64 ] || missing+=(wine64)
  fi
  command -v Xvfb >/dev/null || missing+=(xvfb)
  command -v xdotool >/dev/null || missing+=(xdotool)
  command -v xwininfo >/dev/null || missing+=(x11-utils)
  command -v openbox >/dev/null || missing+=(openbox)
  command -v import >/dev/null && convert -version 2>/dev/null | grep -q ImageMagick || missing+=(imagemagick)
  [ -d /usr/share/wine/fonts ] || missing+=(fonts-wine)
  [ -d /usr/share/fonts/truetype/dejavu ] || missing+=(fonts-dejavu-core)
  command -v clang++ >/dev/null || missing+=(clang)
  ls /usr/lib/llvm-14/lib/clang/14*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1 || missing+=(libclang-rt-14-dev)
  command -v file >/dev/null || missing+=(file)
  command -v python3 >/dev/null || missing+=(python3)
  printf '%s\n' "${missing[@]}"
}

# apt-get as root (sudo otherwise); KALMEX_APT names a stand-in for it (the script's test).
kalmex_apt() {
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  DEBIAN_FRONTEND=noninteractive $sudo "${KALMEX_APT:-apt-get}" "$@"
}

# apt's reason for a failure in its output: the lines that name a package that cannot be had and
# the last error, on one line.
kalmex_apt_reason() {
  grep -E '^ *[^ ]+ : (Depends|PreDepends|Conflicts|Breaks)|^E: ' | tail -n 3 | sed 's/^ *//' |
    paste -sd ' '
}

# A package index that is briefly out of step with its mirror ("Mirror sync in progress?") is
# ordinary: the update is tried once more after a pause. A second failure is said and the
# install goes on with the index as it is.
kalmex_apt_update() {
  local out try
  for try in 1 2; do
    out=$(kalmex_apt update -q 2>&1)
    if [ $? -eq 0 ] && ! grep -qE '^(W|E): (Failed to fetch|Some index files failed)' <<<"$out"; then
      return 0
    fi
    KALMEX_APT_PROBLEM=$(grep -E '^(W|E): ' <<<"$out" | head -n 1)
    [ "$try" = 2 ] && break
    echo "apt-get update failed ($KALMEX_APT_PROBLEM); trying again in ${KALMEX_APT_PAUSE:-10} s"
    sleep "${KALMEX_APT_PAUSE:-10}"
  done
  echo "apt-get update failed again; going on with the package index as it is"
}

# Installs the packages; on a failure KALMEX_APT_PROBLEM holds apt's reason.
kalmex_apt_install() {
  local out
  out=$(kalmex_apt install -y -q --no-install-recommends "$@" 2>&1) && return 0
  KALMEX_APT_PROBLEM=$(kalmex_apt_reason <<<"$out")
  [ -n "$KALMEX_APT_PROBLEM" ] || KALMEX_APT_PROBLEM=$(tail -n 1 <<<"$out")
  return 1
}

# Installs what is missing. When apt's reason is a 32-bit package (the 32-bit part of Wine cannot
# be had) and no one chose the mode, the commands go on in the x64 mode; any other failure stops them, saying which
# packages could not be had and why.
kalmex_install_deps() {
  local missing
  missing=$(kalmex_need_packages)
  [ -z "$missing" ] && return 0
  echo "Installing: $(echo $missing | tr '\n' ' ')"
  if grep -q ':i386' <<<"$missing"; then
    dpkg --print-foreign-architectures | grep -q i386 || kalmex_apt_dpkg_i386
  fi
  kalmex_apt_update
  # shellcheck disable=SC2086
  kalmex_apt_install $missing && return 0
  if grep -q ':i386' <<<"$KALMEX_APT_PROBLEM" &&
    [ "${KALMEX_WIN_ARCH_REASON#KALMEX_WIN_ARCH=}" = "$KALMEX_WIN_ARCH_REASON" ]; then
    kalmex_use_x64 "the 32-bit part of Wine could not be installed ($KALMEX_APT_PROBLEM)"
    echo "== $KALMEX_WIN_ARCH_REASON; going on in the x64 mode"
    missing=$(kalmex_need_packages)
    [ -z "$missing" ] && return 0
    echo "Installing: $(echo $missing | tr '\n' ' ')"
    # shellcheck disable=SC2086
    kalmex_apt_install $missing && return 0
  fi
  echo "apt-get could not install: $(echo $missing | tr '\n' ' ')"
  echo "apt-get said: $KALMEX_APT_PROBLEM"
  return 1
}

kalmex_apt_dpkg_i386() {
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo dpkg --add-architecture i386
}

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
  command -v import >/dev/null && convert -version 2>/dev/null | grep -q ImageMagick || missing+=(imagemagick)
  [ -d /usr/share/wine/fonts ] || missing+=(fonts-wine)
  [ -d /usr/share/fonts/truetype/dejavu ] || missing+=(fonts-dejavu-core)
  command -v clang++ >/dev/null || missing+=(clang)
  ls /usr/lib/llvm-14/lib/clang/14*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1 || missing+=(libclang-rt-14-dev)
  command -v file >/dev/null || missing+=(file)
  command -v python3 >/dev/null || missing+=(python3)
  printf '%s\n' "${missing[@]}"
}

kalmex_install_deps() {
  local missing
  missing=$(kalmex_need_packages)
  [ -z "$missing" ] && return 0
  echo "Installing: $(echo $missing | tr '\n' ' ')"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  if echo "$missing" | grep -q ':i386'; then
    dpkg --print-foreign-architectures | grep -q i386 || $sudo dpkg --add-architecture i386
  fi
  $sudo apt-get update -q >/dev/null
  # shellcheck disable=SC2086
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends $missing >/dev/null
}

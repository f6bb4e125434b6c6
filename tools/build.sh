# Configures (once) and builds the native and the Windows trees. Sourced by the commands.
kalmex_build() {
  local root=$KALMEX_ROOT jobs
  jobs=$(nproc)
  [ -f "$root/build/native/CMakeCache.txt" ] ||
    cmake -S "$root" -B "$root/build/native" -DCMAKE_BUILD_TYPE=Debug >/dev/null || return 1
  cmake --build "$root/build/native" -j"$jobs" 2>&1 | { grep -E 'error|warning:' || true; }; [ "${PIPESTATUS[0]}" -eq 0 ] || return 1
  # The 32-bit tree makes the kalmex.exe that ships; where Wine cannot run it, only the program is
  # built there and the Windows tests come from the x64 tree.
  local target=()
  [ "${KALMEX_WIN_ARCH:-i686}" = i686 ] || target=(--target kalmex)
  kalmex_build_windows "$root/build/windows" mingw-i686 "${target[@]}" || return 1
  [ "${KALMEX_WIN_ARCH:-i686}" = i686 ] || kalmex_build_windows "$root/build/windows64" mingw-x86_64 || return 1
}

kalmex_build_windows() {
  local tree=$1 toolchain=$2
  shift 2
  [ -f "$tree/CMakeCache.txt" ] ||
    cmake -S "$KALMEX_ROOT" -B "$tree" -DCMAKE_TOOLCHAIN_FILE="$KALMEX_ROOT/cmake/$toolchain.cmake" \
      -DCMAKE_BUILD_TYPE=Release >/dev/null || return 1
  cmake --build "$tree" -j"$(nproc)" "$@" 2>&1 | { grep -E 'error|warning:' || true; }; [ "${PIPESTATUS[0]}" -eq 0 ] || return 1
}

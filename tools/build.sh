# Configures (once) and builds the native and the Windows trees. Sourced by the commands.
kalmex_build() {
  local root=$KALMEX_ROOT jobs
  jobs=$(nproc)
  [ -f "$root/build/native/CMakeCache.txt" ] ||
    cmake -S "$root" -B "$root/build/native" -DCMAKE_BUILD_TYPE=Debug >/dev/null || return 1
  cmake --build "$root/build/native" -j"$jobs" 2>&1 | { grep -E 'error|warning:' || true; }; [ "${PIPESTATUS[0]}" -eq 0 ] || return 1
  [ -f "$root/build/windows/CMakeCache.txt" ] ||
    cmake -S "$root" -B "$root/build/windows" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
      -DCMAKE_BUILD_TYPE=Release >/dev/null || return 1
  cmake --build "$root/build/windows" -j"$jobs" 2>&1 | { grep -E 'error|warning:' || true; }; [ "${PIPESTATUS[0]}" -eq 0 ] || return 1
}

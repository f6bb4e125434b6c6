# Configures and builds the native and the Windows trees. Sourced by the commands and tools/fuzz.sh.
# A tree is configured from scratch when a file under cmake/ or its options change (CMake never
# rereads a toolchain file into an existing cache) and configured again when CMakeLists.txt
# changes. The whole output of each step is kept in build/<tree>.log; on a failure its last
# lines are printed.

# kalmex_build_tree TREE [cmake options...] [-- build options...]: configure when needed, then
# build build/TREE.
kalmex_build_tree() {
  local root=$KALMEX_ROOT name=$1
  shift
  local options=() building=() fresh lists
  while [ $# -gt 0 ] && [ "$1" != "--" ]; do options+=("$1"); shift; done
  [ $# -gt 0 ] && { shift; building=("$@"); }
  local tree="$root/build/$name" log="$root/build/$name.log"
  mkdir -p "$tree"
  : >"$log"
  # A new toolchain or option needs a tree without its old cache; a changed CMakeLists.txt only
  # needs CMake to run again.
  fresh=$(cd "$root" && { printf '%s\n' "${options[@]}" "${CC:-}" "${CXX:-}"; cat cmake/*; } | sha1sum)
  lists=$(sha1sum <"$root/CMakeLists.txt")
  if [ "$(cat "$tree/.kalmex-fresh" 2>/dev/null)" != "$fresh" ]; then
    rm -rf "$tree/CMakeCache.txt" "$tree/CMakeFiles" "$tree/.kalmex-lists"
  fi
  if [ ! -f "$tree/CMakeCache.txt" ] || [ "$(cat "$tree/.kalmex-lists" 2>/dev/null)" != "$lists" ]; then
    if ! cmake -S "$root" -B "$tree" "${options[@]}" >>"$log" 2>&1; then
      echo "configuring build/$name failed; the end of $log:"
      tail -n 60 "$log"
      return 1
    fi
    printf '%s\n' "$fresh" >"$tree/.kalmex-fresh"
    printf '%s\n' "$lists" >"$tree/.kalmex-lists"
  fi
  if ! cmake --build "$tree" -j"$(nproc)" "${building[@]}" >>"$log" 2>&1; then
    echo "building build/$name failed; the end of $log:"
    tail -n 60 "$log"
    return 1
  fi
  grep -E 'warning:' "$log" | sort -u
  return 0
}

kalmex_build() {
  kalmex_build_tree native -DCMAKE_BUILD_TYPE=Debug || return 1
  # The 32-bit tree makes the kalmex.exe that ships; where Wine cannot run it, only the program is
  # built there and the Windows tests come from the x64 tree.
  local only=()
  [ "${KALMEX_WIN_ARCH:-i686}" = i686 ] || only=(-- --target kalmex)
  kalmex_build_tree windows -DCMAKE_TOOLCHAIN_FILE="$KALMEX_ROOT/cmake/mingw-i686.cmake" \
    -DCMAKE_BUILD_TYPE=Release "${only[@]}" || return 1
  [ "${KALMEX_WIN_ARCH:-i686}" = i686 ] ||
    kalmex_build_tree windows64 -DCMAKE_TOOLCHAIN_FILE="$KALMEX_ROOT/cmake/mingw-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=Release || return 1
}

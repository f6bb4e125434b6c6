#!/usr/bin/env bash
# How the two commands install what is missing, against a stand-in apt-get that fails the way a
# real mirror or a machine without the 32-bit packages does. Each row: the mode the machine starts
# in, how the stand-in answers, the exit status and mode expected, and a text the output must hold.
set -u
tools=$(cd "$(dirname "$0")/../../tools" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The stand-in: "update" fails as many times as $work/update-failures says, "install" fails for
# the packages named in $work/refused with apt's own words.
cat >"$work/apt-get" <<'EOF'
#!/usr/bin/env bash
work=$(dirname "$0")
case "$1" in
  update)
    n=$(cat "$work/update-failures")
    if [ "$n" -gt 0 ]; then
      echo $((n - 1)) >"$work/update-failures"
      echo "W: Failed to fetch http://deb.debian.org/debian/dists/bookworm/main/binary-i386/Packages  File has unexpected size (Mirror sync in progress?)"
      echo "E: Some index files failed to download. They have been ignored, or old ones used instead."
      exit 100
    fi
    exit 0 ;;
  install)
    shift
    for p in "$@"; do
      if grep -qx -- "$p" "$work/refused"; then
        echo "The following packages have unmet dependencies:"
        dep=libxfont2; [ "${p%:i386}" = "$p" ] || dep=libwine:i386
        echo " $p : Depends: $dep but it is not going to be installed"
        echo "E: Unable to correct problems, you have held broken packages."
        exit 100
      fi
    done
    echo "$*" >>"$work/installed"
    exit 0 ;;
esac
EOF
chmod +x "$work/apt-get"

failures=0
# forced mode | update failures | refused packages | status | mode after | output holds
while IFS='|' read -r forced updates refused status mode holds; do
  echo "$updates" >"$work/update-failures"
  tr ' ' '\n' <<<"$refused" >"$work/refused"
  rm -f "$work/installed"
  out=$(
    export KALMEX_ROOT="$work/root" KALMEX_APT="$work/apt-get" KALMEX_APT_PAUSE=0
    if [ -n "$forced" ]; then
      export KALMEX_WIN_ARCH=$forced KALMEX_WIN_ARCH_REASON="KALMEX_WIN_ARCH=$forced chose the mode"
    else
      export KALMEX_WIN_ARCH=i686 KALMEX_WIN_ARCH_REASON="this machine runs 32-bit programs"
    fi
    source "$tools/deps.sh"
    kalmex_need_packages() {
      if [ "$KALMEX_WIN_ARCH" = i686 ]; then echo xvfb; echo wine32:i386; else echo xvfb; echo wine64; fi
    }
    kalmex_apt_dpkg_i386() { :; }
    kalmex_install_deps 2>&1
    echo "status=$? mode=$KALMEX_WIN_ARCH"
  )
  if ! grep -qx "status=$status mode=$mode" <<<"$out" || ! grep -qF -- "$holds" <<<"$out"; then
    echo "FAILED: forced='$forced' updates=$updates refused='$refused': expected status=$status" \
      "mode=$mode and \"$holds\"; the output was:"
    echo "$out"
    failures=$((failures + 1))
  fi
done <<'ROWS'
|1||0|i686|apt-get update failed (W: Failed to fetch
|2||0|i686|going on with the package index as it is
|0|wine32:i386|0|x86_64|the 32-bit part of Wine could not be installed (wine32:i386 : Depends: libwine:i386
|0|wine32:i386 wine64|1|x86_64|apt-get could not install: xvfb wine64
|0|xvfb|1|i686|apt-get said: xvfb : Depends: libxfont2
i686|0|wine32:i386|1|i686|apt-get could not install: xvfb wine32:i386
ROWS
[ "$failures" -eq 0 ] && echo "install: every row passed"
exit $((failures > 0))

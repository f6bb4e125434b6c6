#!/usr/bin/env bash
# Builds the release zip and checks it: exactly the program and the guide, the guide in UTF-8
# with a byte-order mark and CR LF line ends, and the program from the zip passing the start-up end-to-end tests under Wine (the
# caller has the display and prefix up).
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
zip_path=$("$root/release" | tail -1) || { echo "release: ./release failed"; exit 1; }
out="$root/build/release-check"
rm -rf "$out"
mkdir -p "$out"
python3 - "$zip_path" "$out" <<'PY' || exit 1
import sys, zipfile
z = zipfile.ZipFile(sys.argv[1])
names = sorted(z.namelist())
if names != sorted(["kalmex.exe", "ПРОЧТИ.txt"]):
    sys.exit("release: unexpected contents %r" % names)
guide = z.read("ПРОЧТИ.txt")
if not guide.startswith(b"\xef\xbb\xbf") or b"\n" in guide.replace(b"\r\n", b""):
    sys.exit("release: the guide needs a UTF-8 byte-order mark and CR LF line ends")
guide.decode("utf-8")
z.extractall(sys.argv[2])
PY
cmp -s "$out/kalmex.exe" "$root/build/windows/kalmex.exe" || { echo "release: the zip's kalmex.exe is not the one built"; exit 1; }
if [ "${KALMEX_WIN_ARCH:-i686}" != i686 ]; then
  echo "release: $(basename "$zip_path") holds kalmex.exe and ПРОЧТИ.txt; this machine cannot run its 32-bit kalmex.exe, so its start-up tests ran on the x64 build"
  exit 0
fi
exe=$(winepath -w "$out/kalmex.exe" 2>/dev/null)
(cd "$root/build/windows" &&
  KALMEX_EXE="$exe" wine e2e_tests.exe --gtest_filter='Startup.*' >"$out/startup.log" 2>&1) ||
  { echo "release: the program from the zip failed its start-up tests"; tail -20 "$out/startup.log"; exit 1; }
echo "release: $(basename "$zip_path") holds kalmex.exe and ПРОЧТИ.txt; its kalmex.exe starts under Wine"

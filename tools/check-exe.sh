#!/usr/bin/env bash
# kalmex.exe must be a 32-bit GUI program that imports only system DLLs.
set -u
exe=$1
fail=0
kind=$(file -b "$exe")
case "$kind" in
  "PE32 executable (GUI) Intel 80386"*) echo "kind: $kind" ;;
  *) echo "wrong kind: $kind"; fail=1 ;;
esac
allowed='^(kernel32|user32|gdi32|msimg32|shell32|comctl32|msvcrt|advapi32)\.dll$'
for dll in $(i686-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ {print tolower($3)}'); do
  if echo "$dll" | grep -Eq "$allowed"; then echo "imports $dll"; else echo "imports a non-system DLL: $dll"; fail=1; fi
done
size=$(stat -c %s "$exe")
echo "size: $size bytes"
exit $fail

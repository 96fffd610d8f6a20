#!/usr/bin/env bash
# Checks 32-bit programs: PE32 i386 images that import no DLL beyond the Windows system's.
# usage: scripts/check-pe.sh program.exe...
set -euo pipefail
system_dlls='^(kernel32|user32|gdi32|comdlg32|advapi32|shell32|msvcrt|ole32|oleaut32|comctl32|winspool\.drv|ws2_32|winmm|version|shlwapi|ucrtbase|api-ms-win-.*)(\.dll)?$'
status=0
for exe in "$@"; do
  [ -f "$exe" ] || { echo "missing $exe"; status=1; continue; }
  ok=1
  if ! file "$exe" | grep -q 'PE32 executable (GUI\|PE32 executable (console'; then
    echo "$exe is not a PE32 image: $(file "$exe")"; ok=0
  fi
  if ! i686-w64-mingw32-objdump -f "$exe" | grep -q 'architecture: i386'; then
    echo "$exe is not an i386 image"; ok=0
  fi
  imports=$(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p')
  while read -r dll; do
    if [ -n "$dll" ] && ! grep -qiE "$system_dlls" <<<"$dll"; then
      echo "$exe imports $dll, which is not a system DLL"; ok=0
    fi
  done <<<"$imports"
  [ $ok -eq 1 ] && echo "$(basename "$exe"): $(file -b "$exe"); imports: $(tr '\n' ' ' <<<"$imports")"
  [ $ok -eq 1 ] || status=1
done
exit $status

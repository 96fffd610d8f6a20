#!/usr/bin/env bash
# Checks the 32-bit build: PE32 i386 images that import no DLL beyond the Windows system's.
set -euo pipefail
dir=$1
system_dlls='^(kernel32|user32|gdi32|comdlg32|advapi32|shell32|msvcrt|ole32|oleaut32|comctl32|winspool\.drv|ws2_32|winmm|version|shlwapi|ucrtbase|api-ms-win-.*)(\.dll)?$'
status=0
for exe in "$dir/src/nightglow.exe" "$dir/tools/nightglow-cli.exe"; do
  [ -f "$exe" ] || { [ "$(basename "$exe")" = nightglow.exe ] && { echo "missing $exe"; status=1; }; continue; }
  if ! file "$exe" | grep -q 'PE32 executable (GUI\|PE32 executable (console'; then
    echo "$exe is not a PE32 image: $(file "$exe")"; status=1
  fi
  if ! i686-w64-mingw32-objdump -f "$exe" | grep -q 'architecture: i386'; then
    echo "$exe is not an i386 image"; status=1
  fi
  while read -r dll; do
    if ! grep -qiE "$system_dlls" <<<"$dll"; then
      echo "$exe imports $dll, which is not a system DLL"; status=1
    fi
  done < <(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p')
  [ $status -eq 0 ] && echo "$(basename "$exe"): $(file -b "$exe"); imports: $(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr '\n' ' ')"
done
exit $status

#!/usr/bin/env bash
# The Windows packages: the 32-bit installer and zip hold PE32 programs; the 64-bit installer installs
# silently under Wine, its Start menu entry starts the program, which saves a night that then opens through
# the .sl1 association, and the uninstaller leaves nothing behind.
# usage: tests/e2e/installer_e2e.sh <packages directory> <64-bit build directory (for tests/e2e_driver.exe)>
set -uo pipefail
dist=$(cd "${1:?usage: installer_e2e.sh <packages> <build>}" && pwd)
build=$(cd "${2:?usage: installer_e2e.sh <packages> <build>}" && pwd)
. "$(dirname "$0")/e2e_common.sh"

app_key='HKCU\Software\Wine\AppDefaults\nightglow.exe'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Nightglow' instdir=
cleanup() {
  # A failed run takes the installation and any program left running away with it.
  [ -n "$instdir" ] && [ -f "$instdir/Uninstall.exe" ] && { "$NG_WINESERVER" -k; "$NG_WINE" "$instdir/Uninstall.exe" /S; } >/dev/null 2>&1
  "$NG_WINE" reg delete "$app_key" /f >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT

names_in() { 7zz l -ba -slt "$1" | sed -n 's/^Path = //p'; }
# Everything in the prefix's drive C outside Windows itself and the temporary folders (the uninstaller runs
# from a copy there, which Windows removes at its next start).
files() { (cd "$WINEPREFIX/drive_c" && find . -path ./windows -prune -o -path '*/Temp' -prune -o -type f -print | sort); }
one() { compgen -G "$dist/nightglow-*-$1" | head -n 1; }
setup32=$(one win32-setup.exe) zip32=$(one win32.zip) setup64=$(one win64-setup.exe) zip64=$(one win64.zip)
[ -n "$setup32" ] && [ -n "$zip32" ] && [ -n "$setup64" ] && [ -n "$zip64" ] || fail "packages missing in $dist"

echo "installer_e2e: the 32-bit installer and zip"
[ "$(names_in "$setup32" | grep -v '^\$PLUGINSDIR/' | sort | tr '\n' ' ')" = \
  "README.txt Uninstall.exe nightglow-cli.exe nightglow.exe " ] || fail "32-bit installer holds: $(names_in "$setup32")"
7zz e -bso0 -o"$work/setup32" "$setup32" nightglow.exe nightglow-cli.exe && 7zz e -bso0 -o"$work/zip32" "$zip32" &&
  "$NG_ROOT/scripts/check-pe.sh" "$work"/setup32/*.exe "$work"/zip32/nightglow*.exe || fail "32-bit programs"
[ "$(names_in "$zip64" | grep -c 'nightglow.*\.exe$')" = 2 ] || fail "64-bit zip holds: $(names_in "$zip64")"

echo "installer_e2e: silent install of the 64-bit installer"
"$NG_WINE" reg query "$uninstall_key" >/dev/null 2>&1 && fail "Nightglow is already installed in $WINEPREFIX"
before=$(files)
"$NG_WINE" "$setup64" /S || fail "the installer failed"
location=$("$NG_WINE" reg query "$uninstall_key" /v InstallLocation | tr -d '\r' | sed -n 's/.*REG_SZ *//p')
[ -n "$location" ] && instdir=$("$NG_WINE" winepath -u "$location" | tr -d '\r') || fail "no uninstall entry"
for f in nightglow.exe nightglow-cli.exe Uninstall.exe README.txt; do [ -f "$instdir/$f" ] || fail "no $f in $location"; done
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Nightglow"
[ -f "$menu/Nightglow.lnk" ] && [ -f "$menu/Uninstall Nightglow.lnk" ] || fail "Start menu entries: $(ls "$menu")"
# .sl1 is opened by a double click below; .sl2 goes the same way.
"$NG_WINE" reg query 'HKCR\Nightglow.Settings\shell\open\command' | grep -qF "\"$location\\nightglow.exe\" \"%1\"" &&
  "$NG_WINE" reg query 'HKCR\.sl2' | grep -q Nightglow.Settings || fail ".sl2 does not open with the program"
# Without a window manager the program draws its own frames (as the other end-to-end checks).
"$NG_WINE" reg add "$app_key\\X11 Driver" /v Managed /d N /f >/dev/null 2>&1

echo "installer_e2e: the Start menu entry starts the program; it saves a night"
"$NG_WINE" start /unix "$menu/Nightglow.lnk" || fail "the Start menu entry does not start"
driver answer "Set Default COM Port" 1 90 3 >/dev/null || fail "no port dialog at the first start"
[ "$(driver wait data_win_type "Untitled 1" 20)" = menu ] || fail "no data window"
driver post data_win_type "Untitled 1" 60 && driver answer "Save As" 1 15 "$(windows_path "$work/night.sl1")" 1148 >/dev/null ||
  fail "no save dialog"
driver wait data_win_type night 10 >/dev/null || fail "the saved night is not titled \"night\""
quit_program night
[ -s "$work/night.sl1" ] || fail "nothing saved"
prefs=$(compgen -G "$WINEPREFIX/drive_c/users/*/somnprefs.txt" | head -n 1)
[ -n "$prefs" ] && grep -q 'port = COM3' "$prefs" || fail "the preferences are not in the user's home folder"
rm -f "$prefs"  # the user's, not the installation's

echo "installer_e2e: the night opens through the .sl1 association, after the start-up"
(cd "$work" && "$NG_WINE" start night.sl1 2>"$work/start.err") || fail "start night.sl1 failed"
driver answer "Set Default COM Port" 1 90 2 >/dev/null || fail "no port dialog in the document's folder"
[ "$(driver wait data_win_type night 20)" = menu ] || fail "the night did not open"
driver gone data_win_type "Untitled 1" 0 || fail "an untitled window stayed beside the night"
quit_program night

echo "installer_e2e: silent uninstall"
"$NG_WINE" "$instdir/Uninstall.exe" /S || fail "the uninstaller failed"
# The uninstaller goes on from a copy of itself after the call returns: wait until every program of the
# prefix has ended (its last step, the uninstall key, comes after the folder is gone).
timeout 60 "$NG_WINESERVER" -w || fail "the uninstaller did not end"
[ -e "$instdir" ] && fail "left behind: $(ls -A "$instdir")"
instdir= left=$(comm -13 <(echo "$before") <(files))
[ -z "$left" ] || fail "files left behind: $left"
for key in 'HKCR\.sl1' 'HKCR\.sl2' 'HKCR\Nightglow.Data' 'HKCR\Nightglow.Settings' "$uninstall_key"; do
  "$NG_WINE" reg query "$key" >/dev/null 2>&1 && fail "registry key left behind: $key"
done
echo "installer_e2e: PASS"

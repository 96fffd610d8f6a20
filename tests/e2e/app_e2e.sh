#!/usr/bin/env bash
# End to end: the real nightglow.exe under Wine asks for a port at first start, remembers it, shows
# its windows and quits.
# usage: tests/e2e/app_e2e.sh <windows build directory>   (needs src/nightglow.exe and tests/e2e_driver.exe there;
# screenshots go to <dir>/e2e/)
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:?usage: app_e2e.sh <windows build directory>}" && pwd)
exe=$build/src/nightglow.exe
shots=$build/e2e
[ -f "$exe" ] && [ -f "$build/tests/e2e_driver.exe" ] || { echo "app_e2e: build nightglow and e2e_driver" >&2; exit 1; }
mkdir -p "$shots"
. "$root/scripts/env.sh"
. "$root/tests/e2e/e2e_common.sh"
ng_ensure_display
ng_ensure_prefix

pid=
# Without a window manager Wine draws the frames itself only for unmanaged windows; the
# setting is the program's own and is taken away again at the end.
app_key='HKCU\Software\Wine\AppDefaults\nightglow.exe'
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  "$NG_WINE" reg delete "$app_key" /f >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT
"$NG_WINE" reg add "$app_key\\X11 Driver" /v Managed /d N /f >/dev/null 2>&1

shot() { import -window root "$shots/$1" && echo "app_e2e: screenshot $shots/$1"; }

# Both document windows with their menu bars, and the start-up picture gone.
expect_windows() {
  [ "$(driver wait data_win_type "Untitled 1" 90)" = menu ] || fail "no data window with a menu"
  [ "$(driver wait settings_win_type "Settings 1" 10)" = menu ] || fail "no settings window with a menu"
  driver gone about_win_type "About Nightglow" 10 || fail "the start-up picture stayed"
}

echo "app_e2e: first start, no preferences file"
(cd "$work" && exec "$NG_WINE" "$exe") &
pid=$!
text=$(driver answer "Set Default COM Port" 1 90 4) &&
  grep -q "There is currently no default serial port selected" <<<"$text" || fail "no port dialog at first start"
expect_windows
[ "$(od -An -c "$work/somnprefs.txt" | tr -s ' ')" = " p o r t = C O M 4 \r \n" ] ||
  fail "preferences file: $(od -c "$work/somnprefs.txt")"
shot app_windows.png
driver post data_win_type "Untitled 1" 10 || fail "cannot send About"
driver wait about_win_type "About Nightglow" 10 >/dev/null || fail "no About window"
sleep 0.5
shot app_about.png
driver post about_win_type "About Nightglow" close && driver gone about_win_type "About Nightglow" 10 ||
  fail "About stayed open"
quit_program "Untitled 1"

echo "app_e2e: second start, the port is remembered"
(cd "$work" && exec "$NG_WINE" "$exe") &
pid=$!
expect_windows
sleep 1
driver gone "#32770" "Set Default COM Port" 0 || fail "the port dialog came again"
quit_program "Untitled 1"
echo "app_e2e: PASS"

#!/usr/bin/env bash
# End to end: the real nightglow.exe under Wine chooses a port at first start, remembers it, shows its windows and quits.
#
# usage: tests/e2e/app_e2e.sh <windows build directory>   (e.g. build/win64)
# Needs <dir>/src/nightglow.exe and <dir>/tests/e2e_driver.exe. Screenshots go to <dir>/e2e/.
set -uo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:?usage: app_e2e.sh <windows build directory>}" && pwd)
exe=$build/src/nightglow.exe
driver_exe=$build/tests/e2e_driver.exe
shots=$build/e2e
mkdir -p "$shots"
[ -f "$exe" ] || { echo "missing $exe" >&2; exit 1; }
[ -f "$driver_exe" ] || { echo "missing $driver_exe" >&2; exit 1; }

. "$root/scripts/env.sh"
ng_ensure_display
ng_ensure_prefix

work=$(mktemp -d)
program_pid=
# Without a window manager Wine draws the frames itself only for unmanaged windows; the
# setting is the program's own and is taken away again at the end.
app_key='HKCU\Software\Wine\AppDefaults\nightglow.exe'
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
  "$NG_WINE" reg delete "$app_key" /f >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT
"$NG_WINE" reg add "$app_key\\X11 Driver" /v Managed /d N /f >/dev/null 2>&1

fail() { echo "app_e2e: FAIL: $*" >&2; exit 1; }
driver() { "$NG_WINE" "$driver_exe" "$@"; }
shot() { import -window root "$shots/$1" && echo "app_e2e: screenshot $shots/$1"; }

start_program() {
  (cd "$work" && exec "$NG_WINE" "$exe") &
  program_pid=$!
}

# Waits for the program to end and checks its exit code.
expect_exit_0() {
  local waited=0
  while kill -0 "$program_pid" 2>/dev/null; do
    sleep 0.2
    waited=$((waited + 1))
    [ $waited -lt 150 ] || fail "the program did not end"
  done
  wait "$program_pid"
  local code=$?
  program_pid=
  [ $code -eq 0 ] || fail "exit code $code"
}

expect_windows() {
  driver wait data_win_type "Untitled 1" 30 || fail "no data window \"Untitled 1\""
  driver wait settings_win_type "Settings 1" 10 || fail "no settings window \"Settings 1\""
  driver menu data_win_type "Untitled 1" || fail "the data window has no menu bar"
  driver menu settings_win_type "Settings 1" || fail "the settings window has no menu bar"
  driver gone about_win_type "About Nightglow" 10 || fail "the start-up picture stayed"
}

# Answers one "Save before closing?" question with No and checks whose it was.
answer_no() {
  local text
  text=$(driver answer "Save before closing?" 7 15) || fail "no save question for $1"
  grep -q "Do you want to save \"$1\" before closing?" <<<"$text" || fail "unexpected question: $text"
}

echo "app_e2e: first start, no preferences file"
start_program
driver wait "#32770" "Set Default COM Port" 30 || fail "no port dialog at first start"
driver settext "Set Default COM Port" 0 "4" || fail "cannot type into the port dialog"
text=$(driver answer "Set Default COM Port" 1 5) || fail "cannot press OK in the port dialog"
grep -q "There is currently no default serial port selected" <<<"$text" || fail "port dialog text: $text"
expect_windows
[ "$(od -An -c "$work/somnprefs.txt" | tr -s ' ')" = " p o r t = C O M 4 \r \n" ] ||
  fail "preferences file: $(od -c "$work/somnprefs.txt")"
shot app_windows.png

# For people to look at: the Somnolux menu of the data window pulled down (not checked).
if command -v xdotool >/dev/null; then
  window=$(xdotool search --name '^Untitled 1$' 2>/dev/null | head -n 1)
  if [ -n "$window" ]; then
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove $((X + 90)) $((Y + 34)) click 1
    sleep 0.5
    shot app_menu.png
    xdotool key Escape
    sleep 0.2
    xdotool key Escape
  fi
fi

driver command data_win_type "Untitled 1" 10 || fail "About command"
driver wait about_win_type "About Nightglow" 10 || fail "no About window"
sleep 0.5
shot app_about.png
driver close about_win_type "About Nightglow" || fail "cannot close About"
driver gone about_win_type "About Nightglow" 10 || fail "About stayed open"

driver command data_win_type "Untitled 1" 130 || fail "Quit command"
answer_no "Untitled 1"
answer_no "Settings 1"
expect_exit_0

echo "app_e2e: second start, the port is remembered"
start_program
expect_windows
sleep 1
driver gone "#32770" "Set Default COM Port" 0 || fail "the port dialog came again"
driver close data_win_type "Untitled 1" || fail "cannot close the data window"
answer_no "Untitled 1"
driver close settings_win_type "Settings 1" || fail "cannot close the settings window"
answer_no "Settings 1"
expect_exit_0

echo "app_e2e: PASS"

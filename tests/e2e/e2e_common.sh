# Helpers of the end-to-end tests: simulators in the background, checks of KEY=value output, the real program
# driven from outside. Sourced; the caller sets NG_SIM (for the simulator) or build (for the program under Wine,
# which also brings the project's settings, a display and the private prefix) and removes $work at the end.
if [ -n "${build:-}" ]; then . "$(dirname "${BASH_SOURCE[0]}")/../../scripts/env.sh"; ng_ensure_display; ng_ensure_prefix; fi
SIM_PIDS=()
work=$(mktemp -d)

fail() { echo "FAIL: $*" >&2; exit 1; }

# eventually TRIES COMMAND...: the command succeeds within that many tries, 0.2 s apart.
eventually() { local try; for ((try = 0; try < $1; try++)); do "${@:2}" && return 0; sleep 0.2; done; return 1; }

# start_sim LOG_PREFIX LINK [options...]: starts somnolux-sim and waits for its link.
start_sim() {
  "$NG_SIM" --link "$2" "${@:3}" >"$1.out" 2>"$1.err" &
  SIM_PIDS+=("$!")
  eventually 25 test -L "$2" || fail "somnolux-sim did not link $2: $(cat "$1.err")"
}

stop_sims() { local sim; for sim in "${SIM_PIDS[@]}"; do { kill "$sim" && wait "$sim"; } 2>/dev/null || true; done; SIM_PIDS=(); }

# run NAME COMMAND...: one run of the command line that must succeed, output in $work/NAME.*
run() { "${@:2}" >"$work/$1.out" 2>"$work/$1.err" || fail "$1 failed: $(cat "$work/$1.err")"; }

# has FILE LINE...: each LINE is a whole line of FILE (whose line ends may be CR LF).
has() { local line; for line in "${@:2}"; do tr -d '\r' <"$1" | grep -qxE -- "$line" || fail "no $line in $1"; done; }

# check_download OUT: the simulator's default night as the command line printed it.
check_download() { has "$1" PACKV=2 SOMNV=0x213 "IBV=SLX-IB 1.4" CDUR=10 SENS=6 'REMBITS=[01]{128}' 'REMBITS=.*1.*'; }

# check_upload SENT SIM_OUT KEY=value...: the simulator took, once, the settings SENT lists, with those
# values, stamped with the set flag and this year.
check_upload() {
  diff <(tr -d '\r' <"$1") <(sed '0,/^UPLOAD=1$/d' "$2") >&2 || fail "taken differs from sent"
  has "$2" UPLOAD=1 "${@:3}"
  local stamp=$(grep '^TSTAMP=' "$2" | cut -d= -f2)
  [ $(((stamp >> 27) & 1)) = 1 ] && [ $(((stamp & 0x7f) + 1950)) = "$(date +%Y)" ] ||
    fail "TSTAMP $stamp is not set this year"
}

# driver VERB ARGS...: tests/e2e/e2e_driver.cpp, its output without CR.
driver() { "$NG_WINE" "$build/tests/e2e_driver.exe" "$@" | tr -d '\r'; }

windows_path() { echo "Z:${1//\//\\}"; }

# quit_program DATA_TITLE [SETTINGS_TITLE]: Quit from the data window's menu and No to both documents' save
# questions; the program ends, with exit code 0 when it was started in the background as $pid.
quit_program() {
  driver post data_win_type "$1" 130 || fail "cannot send Quit"
  local name
  for name in "$1" "${2:-Settings 1}"; do
    driver answer "Save before closing?" 7 15 | grep -q "Do you want to save \"$name\" before closing?" ||
      fail "no save question for $name"
  done
  if [ -z "${pid:-}" ]; then driver gone data_win_type "$1" 15 || fail "the program did not end"; return; fi
  ended() { ! kill -0 "$pid" 2>/dev/null; }
  eventually 150 ended || fail "the program did not end"
  wait "$pid" || fail "exit code $?"
  pid=
}

# Helpers of the end-to-end tests: a simulator in the background, checks of KEY=value output, and the
# real program driven from outside. Sourced, not run; the caller sets NG_SIM (for the simulator) or
# build (for the program) and removes $work at the end.
SIM_PIDS=()
work=$(mktemp -d)

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# start_sim LOG_PREFIX LINK [options...]: starts somnolux-sim and waits for its link.
start_sim() {
  local prefix=$1 link=$2
  shift 2
  "$NG_SIM" --link "$link" "$@" >"$prefix.out" 2>"$prefix.err" &
  SIM_PIDS+=("$!")
  for _ in $(seq 100); do
    [ -L "$link" ] && return 0
    sleep 0.05
  done
  fail "somnolux-sim did not link $link: $(cat "$prefix.err")"
}

stop_sims() {
  local pid
  for pid in "${SIM_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${SIM_PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
  SIM_PIDS=()
}

# run NAME COMMAND...: one run of the command line that must succeed, output in $work/NAME.*
run() {
  local name=$1
  shift
  "$@" >"$work/$name.out" 2>"$work/$name.err" || fail "$name failed: $(cat "$work/$name.err")"
}

# has FILE LINE...: each LINE is a whole line of FILE (whose line ends may be CR LF).
has() {
  local file=$1 line
  shift
  for line in "$@"; do
    tr -d '\r' <"$file" | grep -qxE -- "$line" || fail "no line $line in $file"
  done
}

# check_download OUT: the simulator's default night as the command line printed it.
check_download() {
  has "$1" PACKV=2 SOMNV=0x213 "IBV=SLX-IB 1.4" CDUR=10 SENS=6 'REMBITS=[01]{128}' 'REMBITS=.*1.*'
}

# check_upload SENT SIM_OUT: the simulator took, once, what the command line says it sent:
# the settings of the end-to-end runs, stamped with the set flag and this year.
check_upload() {
  diff <(tr -d '\r' <"$1") <(sed '0,/^UPLOAD=1$/d' "$2") >&2 || fail "taken differs from sent"
  has "$2" UPLOAD=1 CDUR=20 WALARM=1 WTIMEH=6 CSTARTH=3 SENS=9 TODD=0
  local stamp
  stamp=$(grep '^TSTAMP=' "$2" | cut -d= -f2)
  [ $(((stamp >> 27) & 1)) = 1 ] && [ $(((stamp & 0x7f) + 1950)) = "$(date +%Y)" ] ||
    fail "TSTAMP $stamp is not set this year"
}

# driver VERB ARGS...: tests/e2e/e2e_driver.cpp, its output without CR.
driver() { "$NG_WINE" "$build/tests/e2e_driver.exe" "$@" | tr -d '\r'; }

windows_path() { echo "Z:${1//\//\\}"; }

# shot FILE CLASS TITLE: a screenshot of that window into $shots.
shot() {
  import -window root -crop "$(driver rect "$2" "$3" 5)" "$shots/$1" && echo "screenshot $shots/$1"
}

# quit_program DATA_TITLE [SETTINGS_TITLE]: Quit from the data window's menu, No to both save questions,
# and the program (started in the background as $pid) ends with exit code 0.
quit_program() {
  driver post data_win_type "$1" 130 || fail "cannot send Quit"
  local name
  for name in "$1" "${2:-Settings 1}"; do
    driver answer "Save before closing?" 7 15 | grep -q "Do you want to save \"$name\" before closing?" ||
      fail "no save question for $name"
  done
  for _ in $(seq 150); do kill -0 "$pid" 2>/dev/null && sleep 0.2; done
  kill -0 "$pid" 2>/dev/null && fail "the program did not end"
  wait "$pid"
  local code=$?
  pid=
  [ $code -eq 0 ] || fail "exit code $code"
}

# Helpers of the end-to-end serial tests: a simulator in the background, checks of KEY=value output.
# Sourced, not run.

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
  cat "$prefix.err" >&2
  fail "somnolux-sim did not link $link"
}

stop_sims() {
  local pid
  for pid in "${SIM_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${SIM_PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
  SIM_PIDS=()
}

# value FILE KEY: the value of the last KEY= line of FILE.
value() {
  grep "^$2=" "$1" | tail -n 1 | cut -d= -f2-
}

expect_value() {
  local actual
  actual=$(value "$1" "$2" | tr -d '\r')
  [ "$actual" = "$3" ] || fail "$2 in $1 is '$actual', expected '$3'"
}

# Checks a downloaded block: every key once, in order, and the simulator's night.
check_download() {
  local out=$1
  local keys
  keys=$(tr -d '\r' <"$out" | cut -d= -f1 | tr '\n' ' ')
  local expected="PACKV SOMNV TODD TODH TODM TODS CSTARTH CSTARTM CENDH CENDM SMODED RECSTARTH RECSTARTM DELAY DELAYP DALARM MODE DUR REMBITS WALARM WTIMEH WTIMEM TYPE RATE INTENS CDUR U1 U2 U3 U4 U5 U6 U7 U8 U9 U10 U11 U12 SENS TSTAMP CHECKSUM IBV "
  [ "$keys" = "$expected" ] || fail "keys of the download: $keys"
  expect_value "$out" PACKV 2
  expect_value "$out" SOMNV 0x213
  expect_value "$out" IBV "SLX-IB 1.4"
  expect_value "$out" CDUR 10
  expect_value "$out" SENS 6
  local bits start dur
  bits=$(value "$out" REMBITS | tr -d '\r')
  [[ "$bits" =~ ^[01]{128}$ ]] || fail "REMBITS is '$bits'"
  [[ "$bits" == *1* ]] || fail "a night without REM"
  start=$(value "$out" RECSTARTH | tr -d '\r')
  [ "$start" -ge 22 ] || fail "the night starts at $start"
  dur=$(value "$out" DUR | tr -d '\r')
  [ "$dur" -ge 84 ] && [ "$dur" -le 120 ] || fail "DUR is $dur"
  [ "$(value "$out" TSTAMP | tr -d '\r')" != 0 ] || fail "no date stamp"
}

# Checks that the simulator took exactly the settings that the command line sent.
check_upload() {
  local sent=$1 sim_out=$2
  grep -q '^UPLOAD=1$' "$sim_out" || fail "the simulator took no upload"
  diff <(tr -d '\r' <"$sent") <(sed -n '/^UPLOAD=1$/,$p' "$sim_out" | tail -n +2) >&2 ||
    fail "the simulator's settings differ from those sent"
  expect_value "$sim_out" CDUR 20
  expect_value "$sim_out" WALARM 1
  expect_value "$sim_out" WTIMEH 6
  expect_value "$sim_out" CSTARTH 3
  expect_value "$sim_out" SENS 9
  expect_value "$sim_out" TODD 0
  # Stamped with the set flag and today's date.
  local stamp
  stamp=$(value "$sim_out" TSTAMP)
  [ $(((stamp >> 27) & 1)) = 1 ] || fail "TSTAMP $stamp lacks the set flag"
  [ $(((stamp & 0x7f) + 1950)) = "$(date +%Y)" ] || fail "TSTAMP $stamp is not of this year"
}

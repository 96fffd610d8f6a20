#!/usr/bin/env bash
# Builds nightglow.exe and starts it under Wine, with the mask simulator on COM1 of the
# program's Wine prefix so that a download can be tried without the hardware, or with
# NG_PORT=/dev/ttyUSB0 a real serial adapter there instead. With no display it runs on a
# private X server inside Wine's own desktop, shown over VNC.
set -euo pipefail
. "$(dirname "$0")/env.sh"

# A device the program could not open is reported now, before anything is built or started.
if [ -n "${NG_PORT:-}" ]; then
  case $NG_PORT in /*) ;; *) NG_PORT=$PWD/$NG_PORT ;; esac
  reason= fix="Is the adapter plugged in? ls /dev/ttyUSB* /dev/ttyACM* lists the adapters, and
dmesg | tail names the device of the one plugged in last."
  if [ ! -e "$NG_PORT" ]; then
    reason="no such device"
  elif [ ! -c "$NG_PORT" ]; then
    reason="not a serial device"
  elif [ ! -r "$NG_PORT" ] || [ ! -w "$NG_PORT" ]; then
    reason="permission denied (it is $(stat -L -c '%A %U:%G' "$NG_PORT"))"
    group=$(stat -L -c %G "$NG_PORT")
    case $group in root | tty) group=dialout ;; esac
    fix="Serial adapters belong to the $group group: add yourself with
  sudo usermod -aG $group $(id -un)
then log out and in again (or run: newgrp $group)."
  fi
  if [ -n "$reason" ]; then
    echo "make run: NG_PORT=$NG_PORT: $reason." >&2
    echo "$fix" >&2
    exit 1
  fi
fi
cd "$NG_ROOT"
"$NG_ROOT/scripts/deps.sh"

jobs=$(nproc 2>/dev/null || echo 2)
mkdir -p "$NG_BUILD"
cmake --preset win64 -DNG_TESTS=OFF >"$NG_BUILD/win64-run.configure.log" 2>&1 ||
  { cat "$NG_BUILD/win64-run.configure.log"; exit 1; }
cmake --build --preset win64 -j"$jobs" --target nightglow
if [ -z "${NG_PORT:-}" ]; then
  cmake --preset native >"$NG_BUILD/native-run.configure.log" 2>&1 ||
    { cat "$NG_BUILD/native-run.configure.log"; exit 1; }
  cmake --build --preset native -j"$jobs" --target somnolux-sim 2>/dev/null || true
fi

had_display=${DISPLAY:-}
ng_ensure_display
ng_ensure_prefix

# The program keeps its preferences file (somnprefs.txt) in its working directory.
workdir=${NG_RUN_DIR:-$NG_BUILD/run}
mkdir -p "$workdir"

# The adapter, or else the simulator's pseudo-terminal, becomes COM1 through Wine's port
# table; Wine makes the dosdevices links from it when its server starts, so the server is
# restarted after.
sim=$NG_BUILD/native/tools/somnolux-sim
sim_pid=
tty_link=$workdir/somnolux-tty
if [ -n "${NG_PORT:-}" ]; then
  "$NG_WINE" reg add 'HKLM\Software\Wine\Ports' /v COM1 /d "$NG_PORT" /f >/dev/null 2>&1
  "$NG_WINESERVER" -k >/dev/null 2>&1 || true
  echo "COM1 is $NG_PORT (no simulator): choose COM1 in the program"
elif [ -x "$sim" ] && [ -z "${NG_NO_SIM:-}" ]; then
  rm -f "$tty_link"
  "$sim" --link "$tty_link" >"$workdir/somnolux-sim.log" 2>&1 &
  sim_pid=$!
  for _ in $(seq 50); do [ -e "$tty_link" ] && break; sleep 0.1; done
  "$NG_WINE" reg add 'HKLM\Software\Wine\Ports' /v COM1 /d "$tty_link" /f >/dev/null 2>&1
  "$NG_WINESERVER" -k >/dev/null 2>&1 || true
  echo "Somnolux simulator on COM1 (log: $workdir/somnolux-sim.log)"
fi
vnc_pid=
cleanup() {
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null
  [ -n "$vnc_pid" ] && kill "$vnc_pid" 2>/dev/null
  rm -f "$NG_BUILD/run.display"
  true
}
trap cleanup EXIT

exe=$NG_BUILD/win64/src/nightglow.exe
echo "Build: $NG_BUILD/win64; Wine prefix: $WINEPREFIX; working directory: $workdir; display: $DISPLAY"
echo "$DISPLAY" >"$NG_BUILD/run.display"  # where `make shot` looks
launch=("$NG_WINE" "$exe")
if [ -z "$had_display" ]; then
  # The private X server has no window manager: Wine's own desktop draws the frames and
  # title bars, and a VNC server on the loopback interface lets a person see it.
  launch=("$NG_WINE" explorer "/desktop=Nightglow,1280x1024" "$exe")
  vnc_port=$((5900 + ${DISPLAY#:}))
  x11vnc -display "$DISPLAY" -localhost -rfbport "$vnc_port" -forever -shared -nopw \
    >"$workdir/x11vnc.log" 2>&1 &
  vnc_pid=$!
  sleep 1
  kill -0 "$vnc_pid" 2>/dev/null || { vnc_pid=; echo "The VNC server did not start:"; tail -n 3 "$workdir/x11vnc.log"; }
  echo
  echo "There is no display here: Nightglow runs on the private X display $DISPLAY, in Wine's desktop."
  echo "  To look at it:  vncviewer localhost::$vnc_port"
  echo "    (from another machine first: ssh -L $vnc_port:localhost:$vnc_port <this machine>)"
  echo "  A screenshot:   make shot   (writes $NG_BUILD/run/screen.png)"
  echo
fi
cd "$workdir"
"${launch[@]}"

#!/usr/bin/env bash
# Takes a screenshot of the display that `make run` shows the program on.
# usage: scripts/shot.sh [file.png]   (default build/run/screen.png)
set -euo pipefail
. "$(dirname "$0")/env.sh"
display=$(cat "$NG_BUILD/run.display" 2>/dev/null) || { echo "Nightglow is not running: start it with make run" >&2; exit 1; }
out=${1:-$NG_BUILD/run/screen.png}
mkdir -p "$(dirname "$out")"
DISPLAY=$display import -window root "$out"
echo "Screenshot of $display: $out"

#!/usr/bin/env bash
# Makes the README's pictures anew: builds the program, runs the journey end-to-end test and copies its
# screenshots of the Data, Settings, Plot and Journal Trends windows into docs/ (without time stamps, so
# that only a changed picture changes the files).
set -euo pipefail
. "$(dirname "$0")/env.sh"
cd "$NG_ROOT"
unset MAKEFLAGS MFLAGS MAKELEVEL
"$NG_ROOT/scripts/deps.sh"

jobs=$(nproc 2>/dev/null || echo 2)
mkdir -p "$NG_BUILD"
for preset in native win64; do
  cmake --preset "$preset" -DNG_TESTS=ON >"$NG_BUILD/$preset-docs.configure.log" 2>&1 ||
    { cat "$NG_BUILD/$preset-docs.configure.log"; exit 1; }
done
cmake --build --preset native -j"$jobs" --target somnolux-sim nightglow-cli
cmake --build --preset win64 -j"$jobs" --target nightglow e2e_driver
"$NG_ROOT/tests/e2e/journey_e2e.sh" "$NG_BUILD/native" "$NG_BUILD/win64"
mkdir -p docs
for picture in data_window settings_window plot_window trends_window; do
  convert "$NG_BUILD/win64/e2e/$picture.png" -strip "docs/$picture.png"
done
echo "docs/: data_window.png settings_window.png plot_window.png trends_window.png"

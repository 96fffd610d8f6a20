#!/usr/bin/env bash
# Builds the Windows packages into build/dist: for the 32-bit and the 64-bit program, an
# installer (NSIS) and a zip, each with nightglow.exe, nightglow-cli.exe and a README.
set -euo pipefail
. "$(dirname "$0")/env.sh"
cd "$NG_ROOT"
"$NG_ROOT/scripts/deps.sh"

jobs=$(nproc 2>/dev/null || echo 2)
version=$(sed -n 's/.*VALUE "ProductVersion", "\([^"]*\)".*/\1/p' src/res/nightglow.rc)
dist=$NG_BUILD/dist
mkdir -p "$dist"
for arch in win32 win64; do
  tree=$NG_BUILD/$arch
  # A tree that is already configured keeps its settings (make test builds tests in win64).
  if [ ! -f "$tree/CMakeCache.txt" ]; then
    cmake --preset "$arch" -DNG_TESTS=OFF >"$NG_BUILD/$arch-dist.configure.log" 2>&1 ||
      { cat "$NG_BUILD/$arch-dist.configure.log"; exit 1; }
  fi
  cmake --build --preset "$arch" -j"$jobs" --target nightglow nightglow-cli >"$NG_BUILD/$arch-dist.build.log" 2>&1 ||
    { tail -n 40 "$NG_BUILD/$arch-dist.build.log"; exit 1; }

  name=nightglow-$version-$arch
  stage=$dist/$name
  rm -rf "$stage" "$dist/$name.zip"
  mkdir -p "$stage"
  strip=x86_64-w64-mingw32-strip
  [ "$arch" = win32 ] && strip=i686-w64-mingw32-strip
  "$strip" -o "$stage/nightglow.exe" "$tree/src/nightglow.exe"
  "$strip" -o "$stage/nightglow-cli.exe" "$tree/tools/nightglow-cli.exe"
  sed 's/$/\r/' installer/README.txt >"$stage/README.txt"

  makensis -V2 -DARCH="$arch" -DVERSION="$version" -DSTAGE="$stage" -DICON="$NG_ROOT/src/res/somn.ico" \
    -DOUTFILE="$dist/$name-setup.exe" installer/nightglow.nsi
  (cd "$dist" && 7zz a -tzip -bd -bso0 -bsp0 "$name.zip" "$name")
done
echo "Windows packages in $dist:"
ls -1 "$dist"/*.exe "$dist"/*.zip

# Shared settings of the scripts: where the builds and the Wine prefix live, and a display.
# Sourced, not run.
NG_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
NG_BUILD=${NG_BUILD:-$NG_ROOT/build}
export WINEPREFIX=${NG_WINEPREFIX:-$NG_BUILD/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installers, no desktop menu entries.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree=;mshtml=;winemenubuilder.exe="}
NG_WINE=/usr/lib/wine/wine64
NG_WINESERVER=/usr/lib/wine/wineserver
NG_XVFB_DISPLAY=${NG_XVFB_DISPLAY:-:87}  # a worktree of its own may pick another

# Use $DISPLAY when there is one; otherwise a private Xvfb, started once and shared.
ng_ensure_display() {
  if [ -n "${DISPLAY:-}" ]; then return 0; fi
  export DISPLAY=$NG_XVFB_DISPLAY
  local sock=/tmp/.X11-unix/X${NG_XVFB_DISPLAY#:}
  mkdir -p "$NG_BUILD"
  (
    flock 9
    if [ ! -S "$sock" ] || ! xdpyinfo >/dev/null 2>&1; then
      rm -f "/tmp/.X${NG_XVFB_DISPLAY#:}-lock" "$sock"
      setsid Xvfb "$NG_XVFB_DISPLAY" -screen 0 1280x1024x24 -nolisten tcp 9>&- \
        </dev/null >/dev/null 2>&1 &
      for _ in $(seq 100); do [ -S "$sock" ] && break; sleep 0.1; done
    fi
  ) 9>"$NG_BUILD/.xvfb.lock"
}

# The private prefix is made once and reused; a lock keeps parallel tests from racing.
ng_ensure_prefix() {
  mkdir -p "$NG_BUILD"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      echo "Creating the Wine prefix in $WINEPREFIX (once)..." >&2
      "$NG_WINE" wineboot -i </dev/null >/dev/null 2>&1 9>&- || true
      "$NG_WINESERVER" -w
    fi
    # The dialog templates are measured in Wine's own "MS Sans Serif" bitmap font, and the
    # caption buttons draw their symbols from Marlett: without them dialogs clip their texts
    # and the buttons show letters. Debian's fonts-wine has both; the prefix needs them in
    # its Windows Fonts folder.
    local font fonts="$WINEPREFIX/drive_c/windows/Fonts"
    mkdir -p "$fonts"
    for font in sserife.fon marlett.ttf; do
      [ -f "$fonts/$font" ] || cp "/usr/share/wine/fonts/$font" "$fonts/"
    done
    # Test programs run without a window manager on Xvfb: left managed, every hidden or
    # destroyed window would wait two seconds for a withdrawal that never comes.
    local stamp="$WINEPREFIX/.ng-unmanaged-tests-v1"
    if [ ! -f "$stamp" ]; then
      local reg="$WINEPREFIX/ng-unmanaged-tests.reg"
      {
        printf 'REGEDIT4\r\n\r\n'
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\AppDefaults\\app_tests.exe\\X11 Driver]\r\n"Managed"="N"\r\n\r\n'
      } >"$reg"
      "$NG_WINE" regedit /S "$reg" </dev/null >/dev/null 2>&1 9>&- && touch "$stamp"
    fi
  ) 9>"$NG_BUILD/.wineprefix.lock"
}

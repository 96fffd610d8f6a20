#!/usr/bin/env bash
# Runs a Windows program under wine64 in the project's private prefix, on a display.
set -euo pipefail
. "$(dirname "$0")/env.sh"
ng_ensure_display
ng_ensure_prefix
exec "$NG_WINE" "$@"

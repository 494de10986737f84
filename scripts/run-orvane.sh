#!/usr/bin/env bash
# Sets everything up and starts Orvane; a program folder without data/ gets a fresh one.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
app=build/app
[ -d "$app/data" ] || cp -r resources/data "$app/data"
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a "$app/orvane"
fi
exec "$app/orvane"

#!/usr/bin/env bash
# Installs what is missing, builds the native Linux game and starts it.
set -euo pipefail
cd "$(dirname "$0")"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "play.sh: no display to open the game window on: set DISPLAY (for example DISPLAY=:0 ./play.sh), or run it as xvfb-run ./play.sh" >&2
  exit 1
fi
. tools/ci/deps.sh
waxdrop_install_deps
cmake --preset linux >/dev/null
cmake --build --preset linux -j2
exec build/linux/waxdrop "$@"

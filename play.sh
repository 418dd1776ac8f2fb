#!/usr/bin/env bash
# Installs what is missing, builds the native Linux game and starts it.
#   ./play.sh --web   builds the browser game instead and serves its page on
#                     this machine only (127.0.0.1, a free port); Ctrl+C stops it.
set -euo pipefail
cd "$(dirname "$0")"
if [ "${1:-}" = "--web" ]; then
  . tools/ci/deps.sh
  waxdrop_install_deps
  # The page's JavaScript from npm, as the lock file pins it.
  if [ ! -f app/web/node_modules/.package-lock.json ] || [ app/web/package-lock.json -nt app/web/node_modules/.package-lock.json ]; then
    (cd app/web && npm ci --no-audit --no-fund)
  fi
  cmake --preset web >/dev/null
  cmake --build --preset web -j2
  echo "play.sh: open the address below in a browser; the page's folder is build/web/page"
  exec python3 -m http.server 0 --bind 127.0.0.1 --directory build/web/page
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "play.sh: no display to open the game window on: set DISPLAY (for example DISPLAY=:0 ./play.sh), or run it as xvfb-run ./play.sh" >&2
  exit 1
fi
. tools/ci/deps.sh
waxdrop_install_deps
cmake --preset linux >/dev/null
cmake --build --preset linux -j2
exec build/linux/waxdrop "$@"

#!/usr/bin/env bash
# Installs what is missing, builds the native Linux game and starts it.
set -euo pipefail
cd "$(dirname "$0")"
. tools/ci/deps.sh
waxdrop_install_deps
cmake --preset linux >/dev/null
cmake --build --preset linux
if [ ! -x build/linux/waxdrop ]; then
  echo "play.sh: the Linux game window is not built yet (the SDL shell has not been written);" >&2
  echo "play.sh: the core, its tests and tools are built under build/linux." >&2
  exit 1
fi
exec build/linux/waxdrop "$@"

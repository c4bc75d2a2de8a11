#!/usr/bin/env bash
# Installs what is missing, builds and starts the dashboard window. Without a
# display (no DISPLAY or WAYLAND_DISPLAY) the window is drawn offscreen into
# build/dashboard.png instead, and the program says where.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
cd "$ZOR_ROOT"

zor_install_missing "${ZOR_PACKAGES[@]}"
zor_configure build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$ZOR_JOBS"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec build/app/veyra-dashboard --screenshot build/dashboard.png "$@"
fi
exec build/app/veyra-dashboard "$@"

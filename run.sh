#!/usr/bin/env bash
# Installs what is missing, builds and starts the program.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
cd "$ZOR_ROOT"

zor_install_missing "${ZOR_PACKAGES[@]}"
zor_configure build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$ZOR_JOBS"

if [ -x build/app/veyra-dashboard ]; then
  exec build/app/veyra-dashboard "$@"
fi
# Until the dashboard window exists, the newest runnable program is the
# command-line tool; it shows what the engine can do so far.
echo "The dashboard is not built yet; running the newest program, build/tools/zorsvg, instead."
if [ $# -eq 0 ]; then
  set -- demo
fi
exec build/tools/zorsvg "$@"

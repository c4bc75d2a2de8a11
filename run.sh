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
# Until the dashboard window exists, the command-line tool shows what the
# engine draws: an artwork of the program, or what the arguments ask for.
if [ $# -gt 0 ]; then
  exec build/tools/zorsvg "$@"
fi
echo "The dashboard is not built yet; drawing an artwork with build/tools/zorsvg instead."
build/tools/zorsvg render artwork/speedometer.svg -o build/speedometer.png
echo "Drawn artwork/speedometer.svg into $ZOR_ROOT/build/speedometer.png"

#!/usr/bin/env bash
# Builds the benchmarks in Release (build-release/) and runs them: every
# micro-benchmark program, then the corpus comparison with the peer renderers,
# which ends with one table per corpus file. Arguments go to corpus_bench, e.g.
#   bench/run.sh --benchmark_filter=tiger --save-drawings=/tmp/drawings
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"
cd "$ZOR_ROOT"

zor_install_missing "${ZOR_PACKAGES[@]}"
zor_configure build-release -DCMAKE_BUILD_TYPE=Release -DZOR_BUILD_TESTS=OFF
cmake --build build-release -j "$ZOR_JOBS"
export QT_QPA_PLATFORM=offscreen

for program in build-release/bench/*_bench; do
  [ "$program" = build-release/bench/corpus_bench ] || "$program"
done
build-release/bench/corpus_bench "$@"

#!/usr/bin/env bash
# Installs what is missing, builds and runs every test twice: a normal build
# and an AddressSanitizer + UndefinedBehaviorSanitizer build.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
cd "$ZOR_ROOT"

zor_install_missing "${ZOR_PACKAGES[@]}"
export QT_QPA_PLATFORM=offscreen

started=$(date +%s)
echo "== normal build"
zor_configure build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$ZOR_JOBS"
ctest --test-dir build --output-on-failure -j "$ZOR_JOBS"

echo "== sanitizer build (ASan + UBSan)"
zor_configure build-asan -DCMAKE_BUILD_TYPE=Debug -DZOR_SANITIZE=ON -DZOR_BUILD_BENCHMARKS=OFF
cmake --build build-asan -j "$ZOR_JOBS"
export ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1:strict_string_checks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS=suppressions="$ZOR_ROOT/scripts/lsan.supp"
ctest --test-dir build-asan --output-on-failure -j "$ZOR_JOBS"

echo "== all tests passed in $(( $(date +%s) - started )) s"

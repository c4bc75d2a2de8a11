#!/usr/bin/env bash
# Builds the fuzz targets with clang (build-fuzz/, libFuzzer + ASan + UBSan)
# and fuzzes them one after another on one core, for SECONDS in all, split
# evenly between the targets named (all by default):
#   tests/fuzz/run.sh 600
#   tests/fuzz/run.sh 300 path style
# Each target starts from its seeds (tests/fuzz/seeds/<target>), its past
# findings and values taken from the project's own SVG files, and keeps what
# it learns in build-fuzz/corpus/<target>. A crash, leak, timeout or excess
# memory is written to build-fuzz/findings/<target>/ and ends the run with
# status 1; a fixed finding belongs in tests/fuzz/findings/<target>/, which
# the normal build's fuzz_replay tests replay.
set -euo pipefail
source "$(dirname "$0")/../../scripts/common.sh"
cd "$ZOR_ROOT"

[ $# -ge 1 ] || { echo "usage: $0 SECONDS [TARGET...]" >&2; exit 2; }
seconds=$1
shift
all_targets=(path transform color length style xml document)
if [ $# -gt 0 ]; then targets=("$@"); else targets=("${all_targets[@]}"); fi

zor_install_missing clang libclang-rt-14-dev
CC=clang CXX=clang++ zor_configure build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZOR_FUZZ=ON
cmake --build build-fuzz -j 1 --target "${targets[@]/%/_fuzzer}"

# Values of one attribute (a regular expression over names) in the project's
# SVG files, one file each.
seed_attribute_values() {
  local corpus=$1 names=$2
  local value
  # No match is no seed, not a failure.
  { grep -ohP "\\b(${names})=\"\\K[^\"]*" artwork/*.svg || true; } | sort -u | while IFS= read -r value; do
    printf '%s' "$value" > "$corpus/project-$(printf '%s' "$value" | md5sum | cut -c1-16)"
  done
}

seed_corpus() {
  local target=$1 corpus=$2
  case $target in
    path) seed_attribute_values "$corpus" 'd|points' ;;
    transform) seed_attribute_values "$corpus" 'transform|gradientTransform|patternTransform' ;;
    color) seed_attribute_values "$corpus" 'fill|stroke|stop-color|color' ;;
    length) seed_attribute_values "$corpus" 'x|y|width|height|r|rx|viewBox|stroke-width|font-size|preserveAspectRatio' ;;
    style) seed_attribute_values "$corpus" 'style' ;;
    xml | document) cp artwork/*.svg "$corpus/" ;;
  esac
}

export QT_QPA_PLATFORM=offscreen
per_target=$(( seconds / ${#targets[@]} ))
[ "$per_target" -ge 1 ] || per_target=1
status=0
for target in "${targets[@]}"; do
  corpus=build-fuzz/corpus/$target
  findings=build-fuzz/findings/$target
  mkdir -p "$corpus" "$findings"
  seed_corpus "$target" "$corpus"
  echo "== $target: $per_target s"
  build-fuzz/tests/fuzz/${target}_fuzzer "$corpus" "tests/fuzz/seeds/$target" "tests/fuzz/findings/$target" \
    -dict=tests/fuzz/svg.dict -max_total_time="$per_target" -timeout=10 -rss_limit_mb=2048 \
    -max_len=65536 -print_final_stats=1 -artifact_prefix="$findings/" 2>&1 | tail -n 25 || status=1
done
exit $status

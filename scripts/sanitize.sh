#!/usr/bin/env bash
# Builds the unit tests in the clang build under AddressSanitizer and UndefinedBehaviorSanitizer
# (scripts/asan-build.sh, build-asan, shared with the fuzz targets) and runs them shuffled, in
# shards of each test binary (scripts/run-shuffled.sh; the seed is QUOR_SEED or a fresh one,
# printed). The stage player is built too and replaces the main build's in the tests' copies of
# the game folder, so every recorded route (samples and scenario) is replayed by clang's build of
# play as well.
set -euo pipefail
cd "$(dirname "$0")/.."
ASAN_DIR=${ASAN_DIR:-build-asan}
targets=$(sed -n 's/^quor_test(\([A-Za-z0-9_]*\).*/\1/p' tests/*/CMakeLists.txt)
# shellcheck disable=SC2086
bash scripts/asan-build.sh $targets
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:strict_string_checks=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/scripts/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
bash scripts/run-shuffled.sh "$ASAN_DIR"

#!/usr/bin/env bash
# Builds the unit tests in the clang build under AddressSanitizer and UndefinedBehaviorSanitizer
# (scripts/asan-build.sh, build-asan, shared with the fuzz targets) and runs them shuffled, in
# shards of each test binary (scripts/run-shuffled.sh, a shard per core unless QUOR_SHARDS says
# otherwise; the seed is QUOR_SEED or a fresh one, printed). The stage player is built too and
# replaces the main build's in the tests' copies of the game folder, so the replays run clang's
# sanitized build of play. Of the scenario's recorded routes an eighth is replayed here, chosen by
# the seed (QUOR_ROUTES=K/N chooses another share; 0/1 replays all): each takes minutes under the
# sanitizers, and every route is replayed unsanitized by both compilers' builds anyway.
set -euo pipefail
cd "$(dirname "$0")/.."
ASAN_DIR=${ASAN_DIR:-build-asan}
seed=${QUOR_SEED:-$(( (RANDOM << 15 | RANDOM) % 99999 + 1 ))}
source scripts/targets.sh
targets=$(test_targets)
# shellcheck disable=SC2086
bash scripts/asan-build.sh $targets
export QUOR_ROUTES=${QUOR_ROUTES:-$(( seed % 8 ))/8}
echo "scenario routes replayed here: share $QUOR_ROUTES"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:strict_string_checks=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/scripts/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
bash scripts/run-shuffled.sh "$ASAN_DIR" "$seed"

#!/usr/bin/env bash
# Installs what is missing, checks the formatting and the layers' includes, builds with warnings as
# errors, runs clang-tidy on the sources changed since the last landed state and runs every test
# with ctest, each alone (the long end-to-end runs, ctest label "long", only here). Then one clang
# build under ASan and UBSan (build-asan) serves two steps: its tests run again, shuffled, many in
# one process (four shards per test binary; the long runs left out), and each fuzz target replays
# its checked-in inputs and fuzzes briefly from a fixed seed. Every step prints its wall and CPU
# time.
# QUOR_SEED sets the shuffle seed and the seed of the tests that draw random numbers (by default
# one derived from the commit, so a commit always gets the same orders; printed), FUZZ_SECONDS the
# time per fuzz target (30), JOBS the parallel jobs of clang-tidy, the tests and the clang build
# (all cores by default).
set -euo pipefail
cd "$(dirname "$0")/.."
TIMEFORMAT='-- %0R s wall, %0U s user + %0S s system'
step() { printf '\n== %s (%s)\n' "$1" "$(date -u +%H:%M:%S)"; }
total=$SECONDS
if [ -z "${QUOR_SEED:-}" ]; then
  commit=$(git rev-parse --short=7 HEAD 2>/dev/null || echo 0)
  QUOR_SEED=$(( 16#${commit:-0} % 99999 + 1 ))
fi
export QUOR_SEED
echo "seed: $QUOR_SEED (QUOR_SEED=$QUOR_SEED bash scripts/test.sh replays the shuffled orders)"
step "dependencies"
time bash scripts/install-deps.sh
step "formatting"
time bash scripts/check-format.sh
step "layers"
time bash scripts/check-layers.sh
step "build"
time QUOR_WERROR=ON bash scripts/build.sh
step "clang-tidy on the changed sources"
time bash scripts/tidy.sh --changed
step "tests"
time ctest --test-dir build --output-on-failure -j "${JOBS:-$(nproc)}"
step "tests shuffled, under ASan and UBSan (clang)"
time bash scripts/sanitize.sh
step "fuzz (same clang build)"
time bash scripts/fuzz.sh "${FUZZ_SECONDS:-30}"
step "all passed in $(( (SECONDS - total) / 60 )) min"

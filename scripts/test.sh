#!/usr/bin/env bash
# Installs what is missing, checks the formatting and the layers' includes, builds with warnings as
# errors, runs clang-tidy on the sources changed since the last landed state and runs every test
# with ctest, each alone (the long end-to-end runs, ctest label "long", only here). Then clang:
# one build under ASan and UBSan (build-asan) serves two steps, its tests run again, shuffled, many
# in one process (a shard per core for each test binary; the long runs left out, and of the
# scenario's recorded routes a share that changes with the seed), and each fuzz target replays its
# checked-in inputs and tries a fixed number of inputs from a fixed seed; last, a plain optimised
# clang build of the stage player replays every recorded route (build-clang). Every step prints
# its wall and CPU time.
# The builds here keep line tables only as debug information (enough for a backtrace); a
# developer's or player's build (scripts/build.sh alone) keeps it all.
# QUOR_SEED sets the shuffle seed, the share of routes replayed under the sanitizers and the seed
# of the tests that draw random numbers (by default one derived from the commit, so a commit
# always gets the same verdict; printed), FUZZ_RUNS the inputs per fuzz target (fuzz/runs.txt),
# JOBS the parallel jobs of clang-tidy, the tests and the builds (all cores by default).
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
lines="-O2 -g1 -DNDEBUG"
step "dependencies"
time bash scripts/install-deps.sh
step "formatting"
time bash scripts/check-format.sh
step "layers"
time bash scripts/check-layers.sh
step "build"
time QUOR_WERROR=ON bash scripts/build.sh -DCMAKE_C_FLAGS_RELWITHDEBINFO="$lines" \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="$lines"
step "clang-tidy on the changed sources"
time bash scripts/tidy.sh --changed
step "tests"
time ctest --test-dir build --output-on-failure -j "${JOBS:-$(nproc)}"
step "clang build under ASan and UBSan, for the tests and the fuzz targets"
time bash scripts/asan-build.sh
step "tests shuffled, under ASan and UBSan"
time bash scripts/sanitize.sh
step "fuzz (same clang build)"
time bash scripts/fuzz.sh "${FUZZ_RUNS:-}"
step "every recorded route replayed by clang's stage player"
time bash scripts/clang-routes.sh
step "all passed in $(( (SECONDS - total) / 60 )) min"

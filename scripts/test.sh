#!/usr/bin/env bash
# Installs what is missing, checks the formatting and the layers' includes, builds with warnings as
# errors, runs clang-tidy on the sources changed since the last landed state, runs every test (once
# in order with ctest, once more shuffled), runs the tests again under ASan and UBSan in a clang
# build, then runs each fuzz target briefly. The long end-to-end runs (ctest label "long": two
# players sharing a stage, the whole scenario) run only in the first ctest run, neither shuffled
# again nor under the sanitizers. FUZZ_SECONDS sets the time per fuzz target (30 by default), JOBS
# the parallel jobs of clang-tidy, the tests, sanitizer and fuzz builds (all cores by default).
set -euo pipefail
cd "$(dirname "$0")/.."
step() { printf '\n== %s (%s)\n' "$1" "$(date -u +%H:%M:%S)"; }
step "dependencies"
bash scripts/install-deps.sh
step "formatting"
bash scripts/check-format.sh
step "layers"
bash scripts/check-layers.sh
step "build"
QUOR_WERROR=ON bash scripts/build.sh
step "clang-tidy on the changed sources"
bash scripts/tidy.sh --changed
step "tests"
ctest --test-dir build --output-on-failure -j "${JOBS:-$(nproc)}"
step "tests shuffled"
bash scripts/run-shuffled.sh build
step "tests under ASan and UBSan (clang)"
bash scripts/sanitize.sh
step "fuzz"
bash scripts/fuzz.sh "${FUZZ_SECONDS:-30}"
step "all passed"

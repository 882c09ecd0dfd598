#!/usr/bin/env bash
# Installs what is missing, builds, runs every test, then runs each fuzz target briefly.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
ctest --test-dir build --output-on-failure -j "$(nproc)"
bash scripts/fuzz.sh "${FUZZ_SECONDS:-30}"

#!/usr/bin/env bash
# Runs clang-tidy (checks in .clang-tidy) over every C++ source the build compiles.
# Needs a configured build folder (scripts/build.sh makes build/). Exits non-zero on any finding.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
log=$(mktemp)
trap 'rm -f "$log"' EXIT
run-clang-tidy -p "$BUILD_DIR" -quiet -j "$(nproc)" "$PWD/(platform|foundation|engine|stage|play|editor|editor_windows|online|flow|app|tools|tests|bench|fuzz)/.*\\.cpp\$" >"$log" 2>&1 || true
if grep -E "warning:|error:" "$log" | sed 's/\x1b\[[0-9;]*m//g' | sort -u; then
  exit 1
fi
echo "clang-tidy: no findings"

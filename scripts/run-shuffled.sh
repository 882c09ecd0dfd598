#!/usr/bin/env bash
# Runs every test binary once more in a shuffled order, so a test that leans on what another
# left behind shows up. The seed is printed; pass it back to replay one order:
#   scripts/run-shuffled.sh [build-dir] [seed] [repeats]
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${1:-build}
seed=${2:-$(( (RANDOM << 15 | RANDOM) % 99999 + 1 ))}
repeats=${3:-1}
echo "shuffle seed: $seed (repeats: $repeats)"
failed=0; ran=0
for t in "$BUILD_DIR"/tests/*/*_tests; do
  [ -x "$t" ] || continue
  ran=$((ran + 1))
  log=$(mktemp)
  # Each binary runs from its own build folder, as ctest runs it.
  if (cd "$(dirname "$t")" && "./$(basename "$t")" --gtest_shuffle --gtest_random_seed="$seed" \
        --gtest_repeat="$repeats" --gtest_brief=1) >"$log" 2>&1; then
    echo "ok   $(basename "$t")"
  else
    failed=$((failed + 1))
    echo "FAIL $(basename "$t") (seed $seed)"
    tail -n 60 "$log"
  fi
  rm -f "$log"
done
[ "$ran" -gt 0 ] || { echo "no test binaries under $BUILD_DIR/tests"; exit 1; }
echo "shuffled: $((ran - failed)) of $ran binaries passed"
[ "$failed" -eq 0 ]

#!/usr/bin/env bash
# Runs every test binary (*_tests) of a build with its tests in a shuffled order, all tests of a
# binary in one process, so a test that leans on what another left behind shows up. The binaries
# run side by side (JOBS at a time, all cores by default), each for at most QUOR_BINARY_TIMEOUT
# seconds (1800). The seed is the second argument, else QUOR_SEED, else a fresh random one; it is
# printed, and passing it back replays the same orders:
#   scripts/run-shuffled.sh [build-dir] [seed] [repeats]
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${1:-build}
seed=${2:-${QUOR_SEED:-$(( (RANDOM << 15 | RANDOM) % 99999 + 1 ))}}
repeats=${3:-1}
echo "shuffle seed: $seed (repeats: $repeats; replay: scripts/run-shuffled.sh $BUILD_DIR $seed $repeats)"
binaries=()
for t in "$BUILD_DIR"/tests/*/*_tests; do
  [ -x "$t" ] && binaries+=("$t")
done
[ "${#binaries[@]}" -gt 0 ] || { echo "no test binaries under $BUILD_DIR/tests"; exit 1; }
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
export seed repeats logs
run_one() {
  local t=$1 name start
  name=$(basename "$t"); start=$SECONDS
  # Each binary runs from its own build folder, as ctest runs it.
  if (cd "$(dirname "$t")" && timeout "${QUOR_BINARY_TIMEOUT:-1800}" "./$name" --gtest_shuffle \
        --gtest_random_seed="$seed" --gtest_repeat="$repeats" --gtest_brief=1) >"$logs/$name.log" 2>&1; then
    echo "ok   $name ($((SECONDS - start)) s)"
  else
    echo "FAIL $name (seed $seed, $((SECONDS - start)) s)"
    touch "$logs/$name.failed"
  fi
}
export -f run_one
printf '%s\n' "${binaries[@]}" | xargs -P "${JOBS:-$(nproc)}" -I{} bash -c 'run_one "$1"' _ {}
failed=0
for f in "$logs"/*.failed; do
  [ -e "$f" ] || continue
  failed=$((failed + 1)); name=$(basename "$f" .failed)
  printf '\n-- %s (seed %s), last lines:\n' "$name" "$seed"
  tail -n 60 "$logs/$name.log"
done
echo "shuffled: $(( ${#binaries[@]} - failed )) of ${#binaries[@]} binaries passed (seed $seed)"
[ "$failed" -eq 0 ]

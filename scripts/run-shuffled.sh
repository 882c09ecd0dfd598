#!/usr/bin/env bash
# Runs every test binary (*_tests) of a build with its tests in a shuffled order, many tests in one
# process, so a test that leans on what another left behind shows up. Each binary is cut into
# QUOR_SHARDS shards (gtest sharding; one per core by default) so the long ones spread over the
# cores; the shards run side by side, JOBS at a time (all cores by default), each for at most
# QUOR_BINARY_TIMEOUT seconds (1800). The seed is the second argument, else QUOR_SEED, else a fresh
# random one; it is printed with the shard count, and passing both back replays the same orders:
#   QUOR_SHARDS=<shards> scripts/run-shuffled.sh [build-dir] [seed] [repeats]
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${1:-build}
seed=${2:-${QUOR_SEED:-$(( (RANDOM << 15 | RANDOM) % 99999 + 1 ))}}
repeats=${3:-1}
shards=${QUOR_SHARDS:-$(nproc)}
echo "shuffle seed: $seed, $shards shards per binary (replay: QUOR_SHARDS=$shards" \
     "${QUOR_ROUTES:+QUOR_ROUTES=$QUOR_ROUTES }scripts/run-shuffled.sh $BUILD_DIR $seed $repeats)"
# The biggest binaries (the most tests, as a rule) start first.
mapfile -t binaries < <(find "$BUILD_DIR"/tests -mindepth 2 -maxdepth 2 -name '*_tests' -type f -perm -u+x \
                          -printf '%s %p\n' | sort -rn | cut -d' ' -f2-)
[ "${#binaries[@]}" -gt 0 ] || { echo "no test binaries under $BUILD_DIR/tests"; exit 1; }
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
export seed repeats shards logs
run_one() {
  local t=$1 shard=$2 name key start
  name="$(basename "$t") $shard/$shards" key="$(basename "$t").$shard"; start=$SECONDS
  # Each binary runs from its own build folder, as ctest runs it.
  if (cd "$(dirname "$t")" && GTEST_TOTAL_SHARDS=$shards GTEST_SHARD_INDEX=$shard \
        timeout "${QUOR_BINARY_TIMEOUT:-1800}" "./$(basename "$t")" --gtest_shuffle \
        --gtest_random_seed="$seed" --gtest_repeat="$repeats" --gtest_brief=1) >"$logs/$key.log" 2>&1; then
    echo "ok   $name ($((SECONDS - start)) s)"
  else
    echo "FAIL $name (seed $seed, $((SECONDS - start)) s)"
    touch "$logs/$key.failed"
  fi
}
export -f run_one
for t in "${binaries[@]}"; do
  for ((i = 0; i < shards; i++)); do printf '%s\n%s\n' "$t" "$i"; done
done | xargs -d '\n' -n 2 -P "${JOBS:-$(nproc)}" bash -c 'run_one "$1" "$2"' _ || true
failed=0
for f in "$logs"/*.failed; do
  [ -e "$f" ] || continue
  failed=$((failed + 1)); key=$(basename "$f" .failed)
  printf '\n-- %s, shard %s of %s (seed %s), last lines:\n' "${key%.*}" "${key##*.}" "$shards" "$seed"
  tail -n 60 "$logs/$key.log"
done
echo "shuffled: $(( ${#binaries[@]} * shards - failed )) of $(( ${#binaries[@]} * shards )) shards passed (seed $seed)"
[ "$failed" -eq 0 ]

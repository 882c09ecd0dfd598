#!/usr/bin/env bash
# Looks for new faults: fuzzes each target (all, or the ones named) for longer than CI does, from a
# fresh random seed that it prints (FUZZ_SEED=<seed> replays a run), in the same clang build as
# scripts/fuzz.sh. What it generates stays in build-asan/fuzz/long-corpus/<target> from run to run;
# fuzz/seeds is only read.
#   scripts/fuzz-long.sh [seconds per target (600)] [target...]
# A finding (build-asan/fuzz/long-artifacts/<target>/crash-…) becomes a regression input:
#   1. shorten it:  build-asan/fuzz/<target> -minimize_crash=1 -runs=100000 <crash file>
#      (the shortest one it writes is build-asan/fuzz/long-artifacts/<target>/minimized-from-…)
#   2. fix the fault, with a test that would have caught it,
#   3. check the input in: cp <shortest> fuzz/seeds/<target>/regression-<what it breaks>; git add it.
# scripts/fuzz.sh (CI) replays every file under fuzz/seeds/<target>/ on every run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
shift || true
seed=${FUZZ_SEED:-$(( (RANDOM << 15 | RANDOM) + 1 ))}
ASAN_DIR=${ASAN_DIR:-build-asan}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/scripts/lsan.supp:print_suppressions=0}
source scripts/targets.sh
if [ "$#" -gt 0 ]; then targets="$*"; else targets=$(fuzz_targets); fi
# shellcheck disable=SC2086
bash scripts/asan-build.sh $targets
echo "fuzz seed: $seed, ${seconds}s per target (replay: FUZZ_SEED=$seed scripts/fuzz-long.sh $seconds $targets)"
found=0
for t in $targets; do
  corpus="$ASAN_DIR/fuzz/long-corpus/$t" artifacts="$ASAN_DIR/fuzz/long-artifacts/$t/"
  log="$ASAN_DIR/fuzz/$t.long.log"
  mkdir -p "$corpus" "$artifacts" "fuzz/seeds/$t"
  if "$ASAN_DIR/fuzz/$t" -timeout=10 -rss_limit_mb=2048 -seed="$seed" -max_total_time="$seconds" \
       -artifact_prefix="$artifacts" "$corpus" "fuzz/seeds/$t" >"$log" 2>&1; then
    echo "ok    $t"
  else
    found=$((found + 1))
    echo "FOUND $t (seed $seed; log $log):"
    ls -1 "$artifacts"
    tail -n 40 "$log"
  fi
done
echo "fuzz-long: $found of $(echo $targets | wc -w) targets found a fault (seed $seed)"
[ "$found" -eq 0 ]

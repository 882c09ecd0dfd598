#!/usr/bin/env bash
# Builds the libFuzzer targets in the clang build (scripts/asan-build.sh, build-asan, shared with
# the sanitized tests) and checks each the same way on every run, so one commit always gets one
# verdict: first every checked-in input under fuzz/seeds/<target>/ (the seeds and every past
# finding, kept as regression inputs) runs once, then the target tries a fixed number of inputs
# (fuzz/runs.txt) from a fixed seed, starting from those inputs. A count, not a time: what is tried,
# and so what is found, does not depend on how busy the machine is. What it generates goes to a
# scratch folder in the build (emptied first), never to fuzz/seeds. The stage target also plays
# the stages it reads, on a copy of the main build's game folder.
#   scripts/fuzz.sh [runs per target (fuzz/runs.txt)]    FUZZ_SEED changes the seed (1)
# The targets run side by side, JOBS at a time (all cores by default).
# scripts/fuzz-long.sh fuzzes for a time from fresh seeds to look for new faults.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-}
seed=${FUZZ_SEED:-1}
ASAN_DIR=${ASAN_DIR:-build-asan}
# The fonts library keeps its tables for the life of the process (see scripts/lsan.supp).
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=scripts/lsan.supp:print_suppressions=0}
source scripts/targets.sh
targets=$(fuzz_targets)
[ -n "$targets" ] || { echo "no fuzz targets"; exit 0; }
# shellcheck disable=SC2086
bash scripts/asan-build.sh $targets
echo "fuzz seed: $seed, ${runs:-the runs in fuzz/runs.txt} per target, ${JOBS:-$(nproc)} at a time"
# The fuzzing leaves out what would make one run differ from the next, on one machine or another,
# idle or busy: the addresses the system randomises (setarch -R; they reach the comparison tables
# by the code's address), rereading the corpus folder and purging the allocator (both done by the
# clock), the per-input timeout (its alarm lands wherever the run is when it rings; a hang is
# caught by the run's own time limit instead, `timeout`) and, where the system lets it run in a
# process-id namespace of its own (as root), its process id, which the names of the files it
# writes carry: the shell there is process 1 and the fuzzer always process 2. It gets the same few
# variables of environment everywhere, nothing of the caller's: the game reads some, and their
# lengths alone change how often loops run, which is what the fuzzer measures. What is left is
# rare: the fuzzer takes the values the code compares as material, and where these are addresses
# a run may still, seldom, try other inputs than the run before.
pidns=0
if unshare --pid --fork true 2>/dev/null; then pidns=1; fi
export ASAN_DIR runs seed pidns
check_one() {
  local t=$1 bin log scratch artifacts inputs start count alone=()
  [ "$pidns" -eq 0 ] || alone=(unshare --pid --fork bash -c '"$@"; exit $?' _)
  bin="$ASAN_DIR/fuzz/$t" log="$ASAN_DIR/fuzz/$t.log"
  scratch="$ASAN_DIR/fuzz/corpus/$t" artifacts="$ASAN_DIR/fuzz/artifacts/$t/"
  rm -rf "$scratch" "$artifacts" "$ASAN_DIR/fuzz/$t.failed"; mkdir -p "$scratch" "$artifacts" "fuzz/seeds/$t"
  inputs=(fuzz/seeds/"$t"/*)
  [ -e "${inputs[0]}" ] || inputs=()
  count=${runs:-$(awk -v t="$t" '$1 == t { print $2 }' fuzz/runs.txt)}
  [ -n "$count" ] || { echo "FAIL $t: no count of runs in fuzz/runs.txt"; touch "$ASAN_DIR/fuzz/$t.failed"; return; }
  start=$SECONDS
  # The checked-in inputs, each once; then the fuzzing, which writes only to the first folder.
  if { [ "${#inputs[@]}" -eq 0 ] ||
       "$bin" -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$artifacts" "${inputs[@]}"; } >"$log" 2>&1 &&
     timeout 900 env -i PATH=/usr/bin:/bin HOME=/nonexistent LSAN_OPTIONS="$LSAN_OPTIONS" \
         "${alone[@]}" setarch "$(uname -m)" -R "$bin" -timeout=0 -rss_limit_mb=2048 -seed="$seed" \
         -runs="$count" -reload=0 -purge_allocator_interval=-1 -artifact_prefix="$artifacts" \
         "$scratch" "fuzz/seeds/$t" >>"$log" 2>&1; then
    echo "ok   $t: ${#inputs[@]} checked-in inputs, $count runs, $(find "$scratch" -type f | wc -l) new ($((SECONDS - start)) s)"
  else
    echo "FAIL $t (seed $seed; log $log; the failing input is in $artifacts, unless the run passed its time)"
    touch "$ASAN_DIR/fuzz/$t.failed"
  fi
}
export -f check_one
# Each target runs on one core, so they run side by side.
printf '%s\n' $targets | xargs -P "${JOBS:-$(nproc)}" -I{} bash -c 'check_one "$1"' _ {} || true
failed=0
for t in $targets; do
  [ -e "$ASAN_DIR/fuzz/$t.failed" ] || continue
  failed=$((failed + 1))
  printf '\n-- %s (seed %s), last lines of %s:\n' "$t" "$seed" "$ASAN_DIR/fuzz/$t.log"
  tail -n 40 "$ASAN_DIR/fuzz/$t.log"
done
echo "fuzz: $(( $(echo $targets | wc -w) - failed )) passed, $failed failed"
[ "$failed" -eq 0 ]

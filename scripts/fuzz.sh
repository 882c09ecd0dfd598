#!/usr/bin/env bash
# Builds the libFuzzer targets with clang under ASan and UBSan (warnings are errors) and runs each
# for a bounded time. With the main build's game folder at hand (scripts/build.sh) the stage target
# also plays the stages it reads, on a copy of that folder.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
FUZZ_DIR=${FUZZ_DIR:-build-fuzz}
GAME_DIR=${GAME_DIR:-$PWD/build/game}
game=()
[ -f "$GAME_DIR/data/bmp_index.dat" ] && game=(-DQUOR_TEST_GAME_DIR="$GAME_DIR")
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
# The fonts library keeps its tables for the life of the process (see scripts/lsan.supp).
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/scripts/lsan.supp:print_suppressions=0}
CC=clang CXX=clang++ cmake -S . -B "$FUZZ_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUOR_TESTS=OFF -DQUOR_BENCH=OFF -DQUOR_FUZZ=ON -DQUOR_WERROR=ON "${game[@]}" \
  -DCMAKE_C_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fsanitize=fuzzer-no-link" \
  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fsanitize=fuzzer-no-link" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
targets=$(cd fuzz && ls *.cpp 2>/dev/null | sed 's/\.cpp$//' || true)
[ -n "$targets" ] || { echo "no fuzz targets"; exit 0; }
cmake --build "$FUZZ_DIR" -j "${JOBS:-$(nproc)}" --target $targets
passed=0; failed=0
for t in $targets; do
  corpus="$FUZZ_DIR/corpus/$t"; mkdir -p "$corpus"
  seeds=()
  [ -d "fuzz/seeds/$t" ] && seeds=("fuzz/seeds/$t")
  echo "$t: ${seconds}s"
  if "$FUZZ_DIR/fuzz/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -artifact_prefix="$FUZZ_DIR/" "$corpus" "${seeds[@]}" >"$FUZZ_DIR/$t.log" 2>&1; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1)); tail -n 40 "$FUZZ_DIR/$t.log"
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]

#!/usr/bin/env bash
# The one clang build (build-asan) that serves both the sanitized tests (scripts/sanitize.sh) and
# the libFuzzer targets (scripts/fuzz.sh): every library is compiled once with AddressSanitizer,
# UndefinedBehaviorSanitizer and libFuzzer's coverage hooks (-fsanitize=fuzzer-no-link, which a
# test executable simply never calls), clang's warnings are errors. It reads the game folder of the
# main build (scripts/build.sh), so the generator neither builds nor runs here. It is compiled at
# -O1 with line tables only for debug information, the usual trade for sanitized code: the
# sanitizers' reports still name files and lines.
#   scripts/asan-build.sh [target...]    (none: every test executable and every fuzz target)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/targets.sh
ASAN_DIR=${ASAN_DIR:-build-asan}
GAME_DIR=${GAME_DIR:-$PWD/build/game}
[ -f "$GAME_DIR/data/bmp_index.dat" ] || { echo "no generated game folder at $GAME_DIR: run scripts/build.sh first"; exit 1; }
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
flags="$flags -fsanitize=fuzzer-no-link"
CC=clang CXX=clang++ cmake -S . -B "$ASAN_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only -DNDEBUG" \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only -DNDEBUG" \
  -DQUOR_TESTS=ON -DQUOR_BENCH=OFF -DQUOR_FUZZ=ON -DQUOR_WERROR=ON -DQUOR_TEST_GAME_DIR="$GAME_DIR" \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
targets=("$@")
if [ "${#targets[@]}" -eq 0 ]; then
  mapfile -t targets < <(test_targets; fuzz_targets)
fi
cmake --build "$ASAN_DIR" -j "${JOBS:-$(nproc)}" --target "${targets[@]}"

#!/usr/bin/env bash
# Builds the unit tests with clang under AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan and runs them with ctest. Only the test programs are built; they read the game folder
# of the main build (scripts/build.sh), so the generator neither builds nor runs here. The stage
# player is built too and replaces the main build's in the tests' copies of the game folder, so
# every recorded route (samples and scenario) is replayed by clang's build of play as well.
set -euo pipefail
cd "$(dirname "$0")/.."
ASAN_DIR=${ASAN_DIR:-build-asan}
GAME_DIR=${GAME_DIR:-$PWD/build/game}
[ -f "$GAME_DIR/data/bmp_index.dat" ] || { echo "no generated game folder at $GAME_DIR: run scripts/build.sh first"; exit 1; }
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
CC=clang CXX=clang++ cmake -S . -B "$ASAN_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUOR_TESTS=ON -DQUOR_BENCH=OFF -DQUOR_FUZZ=OFF -DQUOR_TEST_GAME_DIR="$GAME_DIR" \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
targets=$(sed -n 's/^quor_test(\([A-Za-z0-9_]*\).*/\1/p' tests/*/CMakeLists.txt)
cmake --build "$ASAN_DIR" -j "${JOBS:-$(nproc)}" --target $targets
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:strict_string_checks=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/scripts/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
ctest --test-dir "$ASAN_DIR" --output-on-failure -j "${JOBS:-$(nproc)}"

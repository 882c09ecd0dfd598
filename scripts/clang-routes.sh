#!/usr/bin/env bash
# Replays every recorded route (the samples', the enemies' and the whole scenario's) with a clang
# build of the stage player, so that play finishes them the same whichever compiler built it. The
# player is built alone (build-clang: clang, optimised, no sanitizers, no tests), reading the main
# build's game folder, and the main build's replay tests run with it (QUOR_STAGE_PLAYER).
#   scripts/clang-routes.sh          (after scripts/build.sh; JOBS parallel jobs, all cores by default)
set -euo pipefail
cd "$(dirname "$0")/.."
CLANG_DIR=${CLANG_DIR:-build-clang}
BUILD_DIR=${BUILD_DIR:-build}
GAME_DIR=$PWD/$BUILD_DIR/game
[ -f "$GAME_DIR/data/bmp_index.dat" ] || { echo "no generated game folder at $GAME_DIR: run scripts/build.sh first"; exit 1; }
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
CC=clang CXX=clang++ cmake -S . -B "$CLANG_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_C_FLAGS_RELEASE="-O2 -DNDEBUG" -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
  -DQUOR_TESTS=OFF -DQUOR_BENCH=OFF -DQUOR_FUZZ=OFF -DQUOR_WERROR=ON -DQUOR_TEST_GAME_DIR="$GAME_DIR" >/dev/null
cmake --build "$CLANG_DIR" -j "${JOBS:-$(nproc)}" --target quor-playstage
QUOR_STAGE_PLAYER=$PWD/$CLANG_DIR/game/quor-playstage \
  ctest --test-dir "$BUILD_DIR" --output-on-failure -j "${JOBS:-$(nproc)}" \
        -R '^((Scenario|Samples|GroundEnemies)/|(Flyer)?ReplayTest\.)'

#!/usr/bin/env bash
# Configures and builds the game folder (build/game) with the tests and benchmarks.
# QUOR_WERROR=ON makes every compiler warning an error (CI); a player's build leaves it off, so a
# newer compiler's new warnings never stop the game from building.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
# Let clean clones in other folders share the compiler cache.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUOR_WERROR="${QUOR_WERROR:-OFF}" "$@" \
  >/dev/null
cmake --build "$BUILD_DIR" -j "$(nproc)"

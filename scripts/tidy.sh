#!/usr/bin/env bash
# Runs clang-tidy (checks in .clang-tidy) over the C++ sources the build compiles; exits non-zero
# on any finding. It reads the compile commands of a configuration of the tree that compiles file
# by file (made in build/tidy-db, configured only, never built): a unity build's commands name its
# batches, not the files.
#   scripts/tidy.sh            every source of every layer, tools, tests, bench and fuzz
#   scripts/tidy.sh --changed  only the sources a change touches (CI): the .cpp files changed
#                              since the last landed state, and those that include a changed
#                              header; everything when .clang-tidy itself changed
# The last landed state is TIDY_BASE when set, else where HEAD left main (or origin/main), else
# (HEAD is main, or there is no main) HEAD's first parent. Uncommitted changes count as touched.
# JOBS sets the parallel jobs (all cores by default).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
dirs="platform|foundation|engine|stage|server|play|gimmicks|enemies|bosses|controls|editor|editor_windows|online|flow|app|tools|tests|bench|fuzz"
pattern="$PWD/($dirs)/.*\\.cpp\$"

if [ "${1:-}" = "--changed" ]; then
  base=${TIDY_BASE:-}
  for landed in main origin/main; do
    if [ -z "$base" ] && git rev-parse -q --verify "$landed" >/dev/null &&
       [ "$(git merge-base HEAD "$landed")" != "$(git rev-parse HEAD)" ]; then
      base=$(git merge-base HEAD "$landed")
    fi
  done
  if [ -z "$base" ] && git rev-parse -q --verify 'HEAD^1' >/dev/null; then base=$(git rev-parse 'HEAD^1'); fi
  if [ -z "$base" ]; then
    echo "clang-tidy: no landed state to compare with; checking everything"
  else
    changed=$(git diff --name-only --diff-filter=d "$base" -- | grep -E "^($dirs)/" || true)
    if git diff --name-only "$base" -- .clang-tidy | grep -q .; then
      echo "clang-tidy: .clang-tidy changed since ${base:0:12}; checking everything"
    else
      sources=$(printf '%s\n' "$changed" | grep -E '\.cpp$' || true)
      # A changed header is checked through every source that includes it.
      for h in $(printf '%s\n' "$changed" | grep -E '\.h$' || true); do
        sources+=$'\n'$(git grep -lF "#include \"$h\"" -- '*.cpp' || true)
        sources+=$'\n'$(git grep -lF "#include \"$(basename "$h")\"" -- "$(dirname "$h")/*.cpp" || true)
      done
      sources=$(printf '%s\n' "$sources" | grep -E "^($dirs)/.*\\.cpp\$" | sort -u || true)
      count=$(printf '%s' "$sources" | grep -c . || true)
      echo "clang-tidy: $count source(s) touched since ${base:0:12}"
      [ "$count" -gt 0 ] || { echo "clang-tidy: no findings"; exit 0; }
      pattern="^$PWD/($(printf '%s\n' "$sources" | sed 's/[.[\*^$()+?{|]/\\&/g' | paste -sd '|'))\$"
    fi
  fi
fi

db="$BUILD_DIR/tidy-db"
cmake -S . -B "$db" -G Ninja -DQUOR_UNITY_BUILD=OFF -DQUOR_FUZZ=ON >/dev/null
log=$(mktemp)
trap 'rm -f "$log"' EXIT
run-clang-tidy -p "$db" -quiet -j "${JOBS:-$(nproc)}" "$pattern" >"$log" 2>&1 || true
if grep -E "warning:|error:" "$log" | sed 's/\x1b\[[0-9;]*m//g' | sort -u; then
  exit 1
fi
echo "clang-tidy: no findings"

#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what clang-format (with the root .clang-format) makes
# of it; `clang-format -i <file>` fixes one.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror
echo "format: $(git ls-files '*.cpp' '*.h' | wc -l) files clean"

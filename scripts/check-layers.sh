#!/usr/bin/env bash
# Fails when a C++ file includes a header of a layer above its own. Every library exports the
# repository root as its include path, so the build alone cannot stop an include that points up.
#   scripts/check-layers.sh [ROOT]    (ROOT: the repository, by default this script's)
#
# The layers, bottom up; a layer may include its own headers and those of the layers before it.
# gimmicks, enemies and bosses stack (an enemy drops items, a boss fires enemy shots); the server
# sits on the stage model and never on the engine. tools, tests, bench and fuzz may use anything.
set -euo pipefail
root=${1:-"$(dirname "$0")/.."}
cd "$root"
layers="platform foundation engine/el engine stage server play gimmicks enemies bosses controls
        editor_windows editor online flow app"
anything="tools tests bench fuzz"
# Layers a layer must not include although they lie below it.
barred="server:engine server:engine/el"

if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  files=$(git ls-files -co --exclude-standard -- '*.cpp' '*.h' '*.hpp' '*.cc' '*.inc')
else
  files=$(find . -path './build*' -prune -o -path './.*' -prune -o \
            \( -name '*.cpp' -o -name '*.h' -o -name '*.hpp' -o -name '*.cc' -o -name '*.inc' \) \
            -print | sed 's#^\./##')
fi
[ -n "$files" ] || { echo "layers: no C++ files under $PWD"; exit 1; }

# One line per quoted include: file, line, included path.
printf '%s\n' "$files" | tr '\n' '\0' | {
  xargs -0 grep -HnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' /dev/null || true
} |
  LAYERS=$layers ANYTHING=$anything BARRED=$barred FILES=$files awk '
function layerOf(path,    best, i) {
    best = ""
    for (i = 1; i <= n; i++)
        if (index(path, order[i] "/") == 1 && length(order[i]) > length(best)) best = order[i]
    return best
}
function topOf(path) { sub(/\/.*/, "", path); return path }
# A path relative to the including file, made relative to the root ("a/b/../c" -> "a/c").
function resolve(dir, inc,    parts, k, m, out, i, path) {
    m = split(dir "/" inc, parts, "/")
    k = 0
    for (i = 1; i <= m; i++) {
        if (parts[i] == "" || parts[i] == ".") continue
        if (parts[i] == "..") { if (k > 0) k--; continue }
        out[++k] = parts[i]
    }
    path = ""
    for (i = 1; i <= k; i++) path = path (i > 1 ? "/" : "") out[i]
    return path
}
BEGIN {
    n = 0
    m = split(ENVIRON["LAYERS"], words, /[ \n]+/)
    for (i = 1; i <= m; i++) if (words[i] != "") { order[++n] = words[i]; rank[words[i]] = n }
    m = split(ENVIRON["ANYTHING"], words, /[ \n]+/)
    for (i = 1; i <= m; i++) if (words[i] != "") free[words[i]] = 1
    m = split(ENVIRON["BARRED"], words, /[ \n]+/)
    for (i = 1; i <= m; i++) if (words[i] != "") bar[words[i]] = 1
    # Every C++ file must sit in a layer or in a folder that may use anything.
    m = split(ENVIRON["FILES"], list, "\n")
    for (i = 1; i <= m; i++) {
        if (list[i] == "" || topOf(list[i]) in free || layerOf(list[i]) != "") continue
        printf "%s: its folder is in no layer: add it to the layer order in scripts/check-layers.sh\n", list[i]
        bad++
    }
}
{
    # file:line:#include "path"
    file = $0; sub(/:.*/, "", file)
    rest = substr($0, length(file) + 2)
    line = rest; sub(/:.*/, "", line)
    inc = rest; sub(/^[^"]*"/, "", inc); sub(/".*/, "", inc)
    from = layerOf(file)
    if (from == "") next
    target = layerOf(inc)
    if (target == "" && topOf(inc) in free) target = topOf(inc)
    if (target == "") {
        dir = file; if (dir ~ /\//) sub(/\/[^\/]*$/, "", dir); else dir = "."
        rel = resolve(dir, inc)
        target = layerOf(rel)
        if (target == "" && topOf(rel) in free) target = topOf(rel)
    }
    if (target == "") next  # not a header of the tree (a generated or system header)
    if (target in free) {
        printf "%s:%s: includes \"%s\" from %s/, which only tools, tests, bench and fuzz may use\n", file, line, inc, target
        bad++
    } else if (rank[target] > rank[from]) {
        printf "%s:%s: includes \"%s\" from %s/, a layer above %s/\n", file, line, inc, target, from
        bad++
    } else if ((from ":" target) in bar) {
        printf "%s:%s: includes \"%s\": %s/ must not use %s/\n", file, line, inc, from, target
        bad++
    }
    checked++
}
END {
    if (bad) { printf "layers: %d include(s) point the wrong way\n", bad; exit 1 }
    printf "layers: %d includes point down\n", checked
}'

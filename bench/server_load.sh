#!/usr/bin/env bash
# Load figures of quorvald-server with wrk on loopback, against SQLite and then PostgreSQL:
# the newest-stages list, the download of a 200 KB stage, and validated posts.
#   bash bench/server_load.sh [BUILD_DIR] [SECONDS]
# 64 connections on 8 wrk threads; the server runs with 64 worker threads, no request or post
# limits. Prints wrk's summary (requests/s, latency percentiles) for each case.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
secs=${2:-10}
game=$(realpath "$build/game")
server="$game/quorvald-server"
work=$(mktemp -d /tmp/quor-load.XXXXXX)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  if [ -n "${pgbin:-}" ] && [ -d "$work/pg" ]; then $asuser "$pgbin/pg_ctl" -D "$work/pg" -m immediate stop >/dev/null 2>&1 || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
"$build/tools/datatool/quor-datatool" decode "$game/stage/sample/sample01.stg" "$work/stage.stg" >/dev/null

start_server() {  # database port
  "$server" --listen 127.0.0.1 --port "$2" --database "$1" --rate 0 --posts-per-day 0 --threads 64 \
    --connections 16 >"$work/server-$2.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do grep -q listening "$work/server-$2.log" 2>/dev/null && return; sleep 0.1; done
  echo "server did not start"; cat "$work/server-$2.log"; exit 1
}

run_cases() {  # port label
  local port=$1 label=$2 base="http://127.0.0.1:$1"
  reply=$(printf 'bench%s' "$port" | curl -s --data-binary @- "$base/qv/1/creators")
  id=$(echo "$reply" | head -1); key=$(echo "$reply" | tail -1)
  for i in $(seq 50); do
    curl -s -o /dev/null -H "X-Quorvald-Creator: $id" -H "X-Quorvald-Key: $key" \
      -H "X-Quorvald-Background: BackGround001" --data-binary @"$work/stage.stg" "$base/qv/1/stages"
  done
  big=$(add_big_stage "$id")
  cat >"$work/post.lua" <<LUA
wrk.method = "POST"
local f = io.open("$work/stage.stg", "rb"); wrk.body = f:read("*a"); f:close()
wrk.headers["X-Quorvald-Creator"] = "$id"
wrk.headers["X-Quorvald-Key"] = "$key"
wrk.headers["X-Quorvald-Background"] = "BackGround001"
LUA
  echo "== $label: newest stages list (GET /qv/1/stages/newest?count=4)"
  wrk -t8 -c64 -d"${secs}s" --latency "$base/qv/1/stages/newest?count=4" | grep -E 'Requests/sec|Latency|50%|99%|Non-2xx|Transfer'
  echo "== $label: download of a 200 KB stage (GET /qv/1/stages/$big)"
  wrk -t8 -c64 -d"${secs}s" --latency "$base/qv/1/stages/$big" | grep -E 'Requests/sec|Latency|50%|99%|Non-2xx|Transfer'
  echo "== $label: validated posts of a $(stat -c %s "$work/stage.stg")-byte stage (POST /qv/1/stages)"
  wrk -t8 -c64 -d"${secs}s" --latency -s "$work/post.lua" "$base/qv/1/stages" | grep -E 'Requests/sec|Latency|50%|99%|Non-2xx'
}

# ---- SQLite
add_big_stage() {
  sqlite3 "$work/load.db" "INSERT INTO stages (creator_id, name, author, background, size, posted_at) VALUES ($1, 'big', 'bench', 'BackGround001', 204800, 0); INSERT INTO stage_data VALUES (last_insert_rowid(), randomblob(204800)); SELECT max(id) FROM stages;"
}
start_server "$work/load.db" 18741
run_cases 18741 SQLite

# ---- PostgreSQL (a throwaway cluster)
pgbin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort | tail -1 || true)
if [ -z "$pgbin" ]; then echo "PostgreSQL not installed: skipped"; exit 0; fi
asuser=""
if [ "$(id -u)" = 0 ]; then asuser="runuser -u postgres --"; chown postgres "$work"; fi
$asuser "$pgbin/initdb" -D "$work/pg" -A trust -U qv --no-sync >/dev/null
$asuser "$pgbin/pg_ctl" -D "$work/pg" -o "-p 18742 -k $work -c listen_addresses=127.0.0.1 -c max_connections=200" \
  -l "$work/pg.log" -w start >/dev/null
uri="postgresql://qv@127.0.0.1:18742/postgres"
add_big_stage() {
  psql -q -t -A "$uri" -c "WITH s AS (INSERT INTO stages (creator_id, name, author, background, size, posted_at) VALUES ($1, 'big', 'bench', 'BackGround001', 204800, 0) RETURNING id), d AS (INSERT INTO stage_data SELECT id, decode(repeat(md5('x'), 6400), 'hex') FROM s) SELECT id FROM s"
}
start_server "$uri" 18743
run_cases 18743 PostgreSQL

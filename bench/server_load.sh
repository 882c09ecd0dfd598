#!/usr/bin/env bash
# Load figures of quorvald-server with wrk on loopback, against SQLite and then PostgreSQL:
# the newest-stages list (as fast as it goes, then paced at about 10,000 requests/s for its
# latency at that rate), the download of a 200 KB stage, and validated posts. nginx, when
# installed, serves the same list and stage bytes as static files in the same run: the ceiling
# the list and the download are compared with ("of nginx" ratios).
#   bash bench/server_load.sh [BUILD_DIR] [SECONDS]
# The server (and nginx, one worker) run on one core (QUOR_BENCH_SERVER_CORE, default 7), wrk
# on others (QUOR_BENCH_CLIENT_CORES, default 2-5); 64 connections on 4 wrk threads; the server
# runs with 64 threads, no request or post limits. QUOR_BENCH_SERVER names another
# quorvald-server binary (e.g. an older build, for before/after figures). Prints wrk's summary
# (requests/s, latency percentiles) for each case.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
secs=${2:-10}
game=$(realpath "$build/game")
server=${QUOR_BENCH_SERVER:-"$game/quorvald-server"}
score=${QUOR_BENCH_SERVER_CORE:-7}
ccores=${QUOR_BENCH_CLIENT_CORES:-2-5}
work=$(mktemp -d /tmp/quor-load.XXXXXX)
pids=()
nginx_port=18745
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  if [ -n "${pgbin:-}" ] && [ -d "$work/pg" ]; then $asuser "$pgbin/pg_ctl" -D "$work/pg" -m immediate stop >/dev/null 2>&1 || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
"$build/tools/datatool/quor-datatool" decode "$game/stage/sample/sample01.stg" "$work/stage.stg" >/dev/null

# Older builds have no per-address connection cap to switch off.
cap=()
if "$server" --help | grep -q -- --connections-per-address; then cap=(--connections-per-address 0); fi
start_server() {  # database port
  taskset -c "$score" "$server" --listen 127.0.0.1 --port "$2" --database "$1" --game-folder "$game" --rate 0 \
    --posts-per-day 0 --threads 64 --connections 16 "${cap[@]}" >"$work/server-$2.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do grep -q listening "$work/server-$2.log" 2>/dev/null && return; sleep 0.1; done
  echo "server did not start"; cat "$work/server-$2.log"; exit 1
}

# nginx serving files of $work/static, one worker on the server's core.
mkdir -p "$work/static"
if ! command -v nginx >/dev/null && [ "$(id -u)" = 0 ]; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends nginx >/dev/null 2>&1 || true
fi
if command -v nginx >/dev/null; then
  cat >"$work/nginx.conf" <<NGINX
worker_processes 1;
daemon off;
pid $work/nginx.pid;
error_log $work/nginx-error.log;
$([ "$(id -u)" = 0 ] && echo "user root;")
events { worker_connections 1024; }
http {
  access_log off;
  sendfile on;
  tcp_nopush on;
  keepalive_requests 1000000;
  client_body_temp_path $work/nginx-body;
  proxy_temp_path $work/nginx-proxy;
  fastcgi_temp_path $work/nginx-fastcgi;
  uwsgi_temp_path $work/nginx-uwsgi;
  scgi_temp_path $work/nginx-scgi;
  default_type "text/plain; charset=Shift_JIS";
  server { listen 127.0.0.1:$nginx_port; root $work/static; }
}
NGINX
  taskset -c "$score" nginx -c "$work/nginx.conf" -p "$work" >"$work/nginx.log" 2>&1 &
  pids+=($!)
else
  echo "nginx not installed: no ceiling figures"
fi

bench() {  # url [wrk args...]: prints wrk's summary, keeps requests/s in $rps
  local url=$1
  shift
  taskset -c "$ccores" wrk -t4 -c64 -d"${secs}s" --latency "$@" "$url" >"$work/wrk.out"
  grep -E 'Requests/sec|Latency|50%|99%|Non-2xx|Transfer' "$work/wrk.out" || true
  rps=$(awk '/Requests\/sec/ {print $2}' "$work/wrk.out")
}

ceiling() {  # label file url-of-the-same-bytes on the server
  local label=$1 file=$2 served=$3 ours=$rps
  if [ ! -f "$work/nginx.conf" ]; then return; fi
  curl -s -o "$work/static/$file" "$served"
  echo "-- nginx, the same bytes as a static file"
  bench "http://127.0.0.1:$nginx_port/$file"
  awk -v a="$ours" -v b="$rps" -v l="$label" 'BEGIN { printf "ratio %s: %.2f of nginx\n", l, a / b }'
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
  bench "$base/qv/1/stages/newest?count=4"
  ceiling "$label list" newest "$base/qv/1/stages/newest?count=4"
  # Paced: each connection waits 5.5 ms after each reply; 64 connections make about 10,000
  # requests/s once wrk's own time per request is added.
  echo 'function delay() return 5.5 end' >"$work/pace.lua"
  echo "== $label: newest stages list paced at about 10,000 requests/s"
  bench "$base/qv/1/stages/newest?count=4" -s "$work/pace.lua"
  echo "== $label: download of a 200 KB stage (GET /qv/1/stages/$big)"
  bench "$base/qv/1/stages/$big"
  ceiling "$label 200 KB download" big "$base/qv/1/stages/$big"
  echo "== $label: validated posts of a $(stat -c %s "$work/stage.stg")-byte stage (POST /qv/1/stages)"
  bench "$base/qv/1/stages" -s "$work/post.lua"
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
  psql -q -t -A "$uri" -c "WITH s AS (INSERT INTO stages (creator_id, name, author, background, size, posted_at) VALUES ($1, 'big', 'bench', 'BackGround001', 204800, 0) RETURNING id), d AS (INSERT INTO stage_data SELECT id, decode(repeat(md5('x'), 12800), 'hex') FROM s) SELECT id FROM s"
}
start_server "$uri" 18743
run_cases 18743 PostgreSQL

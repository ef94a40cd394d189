#!/usr/bin/env bash
# Download throughput of the engine against its peers, over HTTPS on
# loopback from nginx configured under a temporary folder.
#
#   bench/dravolin/run.sh [build-dir] [file-size-MiB]    (defaults: build, 1024)
#
# Six files of the given size are fetched by: (a) six engine handles at once,
# (b) the download manager and dispatcher (six slots, one start per 200 ms
# tick), curl --parallel --parallel-max 6, aria2c -j6, six curl processes at
# once, and one curl alone. Each line gives the aggregate throughput, the CPU
# seconds per GiB of the client and the ratios to curl --parallel and to the
# six curl processes.
#
# Downloads land in memory (/dev/shm) when it has room, so that the disk's
# writeback throttling, which hits whichever client runs when the dirty limit
# is reached, stays out of the figures; BENCH_OUT=<folder> names another place.
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=${1:-$ROOT/build}
SIZE_MIB=${2:-1024}
COUNT=6
BIN=$BUILD/bin
for tool in nginx curl aria2c openssl "$BIN/bench_dravolin_engine" "$BIN/bench_dravolin_manager"; do
  command -v "$tool" >/dev/null || { echo "missing: $tool (scripts/install-deps.sh, then build)" >&2; exit 1; }
done

WORK=$(mktemp -d "${TMPDIR:-/tmp}/dravolin-bench-XXXXXX")
NGINX_PIDS=()
OUT=""
cleanup() {
  local pid
  for pid in "${NGINX_PIDS[@]}"; do kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true; done
  rm -rf "$WORK"
  [ -n "$OUT" ] && rm -rf "$OUT"
}
trap cleanup EXIT

# Served files plus one set of downloads at a time, and some room.
need_kib=$(( SIZE_MIB * 1024 * COUNT * 2 + 1024 * 1024 ))
free_kib=$(df -Pk "$WORK" | awk 'NR==2 {print $4}')
if [ "$free_kib" -lt "$need_kib" ]; then
  echo "not enough disk under $WORK: $((free_kib / 1024)) MiB free, $((need_kib / 1024)) MiB needed" >&2
  exit 1
fi

# The downloads go to a folder of their own inside the chosen place.
OUT_BASE=${BENCH_OUT:-}
if [ -z "$OUT_BASE" ]; then
  OUT_BASE=$WORK
  shm_kib=$(df -Pk /dev/shm 2>/dev/null | awk 'NR==2 {print $4}')
  if [ -n "$shm_kib" ] && [ "$shm_kib" -gt $(( SIZE_MIB * 1024 * COUNT + 1024 * 1024 )) ]; then
    OUT_BASE=/dev/shm
  fi
fi
OUT=$(mktemp -d "$OUT_BASE/dravolin-bench-out-XXXXXX")
mkdir -p "$WORK/files" "$WORK/nginx"
chmod 755 "$WORK" "$WORK/files"
echo "making $COUNT files of $SIZE_MIB MiB under $WORK"
for i in $(seq 1 $COUNT); do
  head -c "$((SIZE_MIB * 1024 * 1024))" /dev/urandom > "$WORK/files/driver$i.bin"
  chmod 644 "$WORK/files/driver$i.bin"
done
openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 1 \
  -keyout "$WORK/key.pem" -out "$WORK/cert.pem" -subj /CN=127.0.0.1 \
  -addext subjectAltName=IP:127.0.0.1 2>/dev/null

# One single-worker nginx per file, each on a port of its own: connections
# that arrive together would otherwise share workers at random, and the
# server, not the client, would set the pace.
PORT=$(( 20000 + RANDOM % 20000 ))
start_nginx() {
  local i=$1 dir=$WORK/nginx/$1
  mkdir -p "$dir/logs"
  cat > "$dir/nginx.conf" <<CONF
worker_processes 1;
pid $dir/nginx.pid;
error_log $dir/logs/error.log warn;
events { worker_connections 64; }
http {
  access_log off;
  client_body_temp_path $dir/body;
  proxy_temp_path $dir/proxy;
  fastcgi_temp_path $dir/fastcgi;
  uwsgi_temp_path $dir/uwsgi;
  scgi_temp_path $dir/scgi;
  sendfile on;
  keepalive_timeout 30;
  server {
    listen 127.0.0.1:$((PORT + i)) ssl;
    ssl_certificate $WORK/cert.pem;
    ssl_certificate_key $WORK/key.pem;
    ssl_protocols TLSv1.2 TLSv1.3;
    root $WORK/files;
  }
}
CONF
  nginx -p "$dir" -c "$dir/nginx.conf" -g 'daemon off;' 2>"$dir/logs/stderr" &
  NGINX_PIDS+=($!)
}
URLS=()
for i in $(seq 1 $COUNT); do
  start_nginx "$i"
  url=https://127.0.0.1:$((PORT + i))/driver$i.bin
  for _ in $(seq 1 100); do
    curl -s --cacert "$WORK/cert.pem" -o /dev/null -I "$url" && break
    sleep 0.1
  done
  URLS+=("$url")
done
TOTAL_BYTES=$(( SIZE_MIB * 1024 * 1024 * COUNT ))
export PELLUCOR_CA_FILE=$WORK/cert.pem

# Files of a finished run must be the served ones, byte for byte.
check_and_clear() {
  local name=$1 i
  for i in $(seq 1 $COUNT); do
    cmp -s "$WORK/files/driver$i.bin" "$OUT/driver$i.bin" || { echo "$name: driver$i.bin differs" >&2; exit 1; }
  done
  rm -f "$OUT/"*
}

# run NAME COMMAND...: wall and CPU seconds of the command and its children.
declare -A WALL CPU
run() {
  local name=$1; shift
  local t
  t=$( { TIMEFORMAT='%R %U %S'; time "$@" >/dev/null 2>"$WORK/err"; } 2>&1 ) || { cat "$WORK/err" >&2; exit 1; }
  WALL[$name]=$(awk '{print $1}' <<<"$t")
  CPU[$name]=$(awk '{print $2 + $3}' <<<"$t")
}

curl_parallel() { local args=(); for u in "${URLS[@]}"; do args+=(-o "$OUT/${u##*/}" "$u"); done
  curl -sS --fail --cacert "$WORK/cert.pem" --parallel --parallel-max 6 "${args[@]}"; }
aria2() { printf '%s\n' "${URLS[@]}" > "$WORK/list"
  aria2c -q -j6 --ca-certificate="$WORK/cert.pem" --file-allocation=none --allow-overwrite=true \
    -d "$OUT" -i "$WORK/list"; }
curl_six() { local u; for u in "${URLS[@]}"; do
    curl -sS --fail --cacert "$WORK/cert.pem" -o "$OUT/${u##*/}" "$u" & done; wait; }
curl_one() { curl -sS --fail --cacert "$WORK/cert.pem" -o "$OUT/driver1.bin" "${URLS[0]}"; }

# A cold first read of the files would slow whoever goes first.
cat "$WORK/files/"* >/dev/null

run "curl --parallel"     curl_parallel;  check_and_clear "curl --parallel"
run "aria2c -j6"          aria2;          check_and_clear "aria2c -j6"
run "6 curl processes"    curl_six;       check_and_clear "6 curl processes"
run "(a) Dravolin engine" "$BIN/bench_dravolin_engine" "$OUT" "${URLS[@]}"; check_and_clear "(a) Dravolin engine"
run "(b) manager path"    "$BIN/bench_dravolin_manager" "$OUT" "${URLS[@]}"; check_and_clear "(b) manager path"
run "1 curl, 1 file"      curl_one;       rm -f "$OUT/"*

echo
echo "$COUNT files x $SIZE_MIB MiB over HTTPS on loopback, saved under $OUT (nginx $(nginx -v 2>&1 | sed 's/.*\///'))"
printf '%-22s %10s %10s %12s %10s %10s\n' client seconds MB/s "CPU s/GiB" "x curl-p" "x 6 curl"
for name in "curl --parallel" "aria2c -j6" "6 curl processes" "(a) Dravolin engine" "(b) manager path" "1 curl, 1 file"; do
  bytes=$TOTAL_BYTES
  [ "$name" = "1 curl, 1 file" ] && bytes=$(( SIZE_MIB * 1024 * 1024 ))
  awk -v n="$name" -v w="${WALL[$name]}" -v c="${CPU[$name]}" -v b="$bytes" \
      -v wp="${WALL[curl --parallel]}" -v w6="${WALL[6 curl processes]}" -v tb="$TOTAL_BYTES" '
    BEGIN {
      mbs = b / w / 1e6; gib = b / 1073741824
      mbp = tb / wp / 1e6; mb6 = tb / w6 / 1e6
      printf "%-22s %10.2f %10.0f %12.2f %10.2f %10.2f\n", n, w, mbs, c / gib, mbs / mbp, mbs / mb6
    }'
done

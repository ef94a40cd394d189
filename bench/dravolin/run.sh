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
NGINX_PID=""
cleanup() {
  [ -n "$NGINX_PID" ] && kill "$NGINX_PID" 2>/dev/null && wait "$NGINX_PID" 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

# Served files plus one set of downloads at a time, and some room.
need_kib=$(( SIZE_MIB * 1024 * COUNT * 2 + 1024 * 1024 ))
free_kib=$(df -Pk "$WORK" | awk 'NR==2 {print $4}')
if [ "$free_kib" -lt "$need_kib" ]; then
  echo "not enough disk under $WORK: $((free_kib / 1024)) MiB free, $((need_kib / 1024)) MiB needed" >&2
  exit 1
fi

mkdir -p "$WORK/files" "$WORK/out" "$WORK/nginx/logs"
chmod 755 "$WORK" "$WORK/files"
echo "making $COUNT files of $SIZE_MIB MiB under $WORK"
for i in $(seq 1 $COUNT); do
  head -c "$((SIZE_MIB * 1024 * 1024))" /dev/urandom > "$WORK/files/driver$i.bin"
  chmod 644 "$WORK/files/driver$i.bin"
done
openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 1 \
  -keyout "$WORK/key.pem" -out "$WORK/cert.pem" -subj /CN=127.0.0.1 \
  -addext subjectAltName=IP:127.0.0.1 2>/dev/null

PORT=$(( 20000 + RANDOM % 20000 ))
cat > "$WORK/nginx/nginx.conf" <<CONF
worker_processes auto;
pid $WORK/nginx/nginx.pid;
error_log $WORK/nginx/logs/error.log warn;
events { worker_connections 1024; }
http {
  access_log off;
  client_body_temp_path $WORK/nginx/body;
  proxy_temp_path $WORK/nginx/proxy;
  fastcgi_temp_path $WORK/nginx/fastcgi;
  uwsgi_temp_path $WORK/nginx/uwsgi;
  scgi_temp_path $WORK/nginx/scgi;
  sendfile on;
  keepalive_timeout 30;
  server {
    listen 127.0.0.1:$PORT ssl;
    ssl_certificate $WORK/cert.pem;
    ssl_certificate_key $WORK/key.pem;
    ssl_protocols TLSv1.2 TLSv1.3;
    root $WORK/files;
  }
}
CONF
nginx -p "$WORK/nginx" -c "$WORK/nginx/nginx.conf" -g 'daemon off;' 2>"$WORK/nginx/logs/stderr" &
NGINX_PID=$!
BASE=https://127.0.0.1:$PORT
for _ in $(seq 1 100); do
  curl -s --cacert "$WORK/cert.pem" -o /dev/null -I "$BASE/driver1.bin" && break
  sleep 0.1
done

URLS=()
for i in $(seq 1 $COUNT); do URLS+=("$BASE/driver$i.bin"); done
TOTAL_BYTES=$(( SIZE_MIB * 1024 * 1024 * COUNT ))
export DRAVOLIN_CA_FILE=$WORK/cert.pem

# Files of a finished run must be the served ones, byte for byte.
check_and_clear() {
  local name=$1 i
  for i in $(seq 1 $COUNT); do
    cmp -s "$WORK/files/driver$i.bin" "$WORK/out/driver$i.bin" || { echo "$name: driver$i.bin differs" >&2; exit 1; }
  done
  rm -f "$WORK/out/"*
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

curl_parallel() { local args=(); for u in "${URLS[@]}"; do args+=(-o "$WORK/out/${u##*/}" "$u"); done
  curl -sS --fail --cacert "$WORK/cert.pem" --parallel --parallel-max 6 "${args[@]}"; }
aria2() { printf '%s\n' "${URLS[@]}" > "$WORK/list"
  aria2c -q -j6 --ca-certificate="$WORK/cert.pem" --file-allocation=none --allow-overwrite=true \
    -d "$WORK/out" -i "$WORK/list"; }
curl_six() { local u; for u in "${URLS[@]}"; do
    curl -sS --fail --cacert "$WORK/cert.pem" -o "$WORK/out/${u##*/}" "$u" & done; wait; }
curl_one() { curl -sS --fail --cacert "$WORK/cert.pem" -o "$WORK/out/driver1.bin" "${URLS[0]}"; }

# A cold first read of the files would slow whoever goes first.
cat "$WORK/files/"* >/dev/null

run "curl --parallel"     curl_parallel;  check_and_clear "curl --parallel"
run "aria2c -j6"          aria2;          check_and_clear "aria2c -j6"
run "6 curl processes"    curl_six;       check_and_clear "6 curl processes"
run "(a) Dravolin engine" "$BIN/bench_dravolin_engine" "$WORK/out" "${URLS[@]}"; check_and_clear "(a) Dravolin engine"
run "(b) manager path"    "$BIN/bench_dravolin_manager" "$WORK/out" "${URLS[@]}"; check_and_clear "(b) manager path"
run "1 curl, 1 file"      curl_one;       rm -f "$WORK/out/"*

echo
echo "$COUNT files x $SIZE_MIB MiB over HTTPS on loopback (nginx $(nginx -v 2>&1 | sed 's/.*\///'))"
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

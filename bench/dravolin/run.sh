#!/usr/bin/env bash
# Download throughput of the engine against its peers, over HTTPS on
# loopback from nginx configured under a temporary folder.
#
#   bench/dravolin/run.sh [build-dir] [file-size-MiB] [rounds]   (defaults: build, 1024, 5)
#
# Six files of the given size are fetched by each client: the engine with six
# handles opened at once, the engine with one handle opened every 200 ms, the
# download manager and dispatcher (six slots, one start per 200 ms tick),
# curl --parallel --parallel-max 6, aria2c -j6, six curl processes at once,
# and one curl for one file. An untimed warm-up round runs every client once;
# each timed round then runs them all in an order rotated by one per round,
# so that no client always goes first or always follows the same one. Each
# line gives the median, lowest and highest throughput over the rounds (whole
# process, start to exit), the median CPU seconds per GiB of the client and
# its children, and its median throughput against those of curl --parallel
# and of the six curl processes. The load average is printed before and
# after: figures taken on a busy machine do not compare.
#
# Downloads land in memory (/dev/shm) when it has room, so that the disk's
# writeback throttling, which hits whichever client runs when the dirty limit
# is reached, stays out of the figures; BENCH_OUT=<folder> names another place.
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=${1:-$ROOT/build}
SIZE_MIB=${2:-1024}
ROUNDS=${3:-5}
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

# run NAME COMMAND...: wall and CPU seconds of the command and its children,
# appended to the client's lists.
declare -A WALLS CPUS
run() {
  local name=$1; shift
  local t
  t=$( { TIMEFORMAT='%R %U %S'; time "$@" >/dev/null 2>"$WORK/err"; } 2>&1 ) || { cat "$WORK/err" >&2; exit 1; }
  WALLS[$name]+="$(awk '{print $1}' <<<"$t") "
  CPUS[$name]+="$(awk '{print $2 + $3}' <<<"$t") "
}

curl_parallel() { local args=(); for u in "${URLS[@]}"; do args+=(-o "$OUT/${u##*/}" "$u"); done
  curl -sS --fail --cacert "$WORK/cert.pem" --parallel --parallel-max 6 "${args[@]}"; }
aria2() { printf '%s\n' "${URLS[@]}" > "$WORK/list"
  aria2c -q -j6 --ca-certificate="$WORK/cert.pem" --file-allocation=none --allow-overwrite=true \
    -d "$OUT" -i "$WORK/list"; }
# Waits for its own six only: the nginx servers are children of this shell too.
curl_six() { local u pids=() pid rc=0; for u in "${URLS[@]}"; do
    curl -sS --fail --cacert "$WORK/cert.pem" -o "$OUT/${u##*/}" "$u" & pids+=($!); done
  for pid in "${pids[@]}"; do wait "$pid" || rc=1; done; return $rc; }
curl_one() { curl -sS --fail --cacert "$WORK/cert.pem" -o "$OUT/driver1.bin" "${URLS[0]}"; }
engine_at_once() { "$BIN/bench_dravolin_engine" "$OUT" "${URLS[@]}"; }
engine_paced() { "$BIN/bench_dravolin_engine" --stagger-ms 200 "$OUT" "${URLS[@]}"; }
manager_path() { "$BIN/bench_dravolin_manager" "$OUT" "${URLS[@]}"; }

NAMES=("engine, 6 at once" "engine, 200 ms apart" "manager path" "curl --parallel" "aria2c -j6"
       "6 curl processes" "1 curl, 1 file")
FUNCS=(engine_at_once engine_paced manager_path curl_parallel aria2 curl_six curl_one)

# One client's run: timed or not, then the files checked and removed.
client() {
  local i=$1 timed=$2 name=${NAMES[$1]}
  if [ "$timed" = 1 ]; then run "$name" "${FUNCS[$i]}"
  else "${FUNCS[$i]}" >/dev/null 2>"$WORK/err" || { cat "$WORK/err" >&2; exit 1; }; fi
  if [ "${FUNCS[$i]}" = curl_one ]; then
    cmp -s "$WORK/files/driver1.bin" "$OUT/driver1.bin" || { echo "$name: driver1.bin differs" >&2; exit 1; }
    rm -f "$OUT/"*
  else
    check_and_clear "$name"
  fi
}

# A cold first read of the files would slow whoever goes first.
cat "$WORK/files/"* >/dev/null
LOAD_BEFORE=$(cut -d' ' -f1-3 /proc/loadavg)
echo "warm-up round"
for i in "${!NAMES[@]}"; do client "$i" 0; done
for r in $(seq 1 "$ROUNDS"); do
  echo "round $r of $ROUNDS"
  for k in "${!NAMES[@]}"; do client $(( (k + r - 1) % ${#NAMES[@]} )) 1; done
done
LOAD_AFTER=$(cut -d' ' -f1-3 /proc/loadavg)

# median | min | max of a list of numbers
stats() { tr ' ' '\n' <<<"$1" | awk 'NF' | sort -g | awk '
  { v[NR] = $1 } END { m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; print m, v[1], v[NR] }'; }

echo
echo "$COUNT files x $SIZE_MIB MiB over HTTPS on loopback, saved under $OUT (nginx $(nginx -v 2>&1 | sed 's/.*\///'))"
echo "$ROUNDS timed rounds after one warm-up; $(nproc) processors; load average before: $LOAD_BEFORE, after: $LOAD_AFTER"
read -r WP _ _ <<<"$(stats "${WALLS[curl --parallel]}")"
read -r W6 _ _ <<<"$(stats "${WALLS[6 curl processes]}")"
declare -A MEDIAN_MBS CPU_GIB
printf '%-22s %9s %9s %9s %11s %9s %9s\n' client "MB/s med" min max "CPU s/GiB" "x curl-p" "x 6 curl"
for name in "${NAMES[@]}"; do
  bytes=$TOTAL_BYTES
  [ "$name" = "1 curl, 1 file" ] && bytes=$(( SIZE_MIB * 1024 * 1024 ))
  read -r wmed wmin wmax <<<"$(stats "${WALLS[$name]}")"
  read -r cmed _ _ <<<"$(stats "${CPUS[$name]}")"
  line=$(awk -v n="$name" -v b="$bytes" -v tb="$TOTAL_BYTES" -v wmed="$wmed" -v wmin="$wmin" -v wmax="$wmax" \
      -v c="$cmed" -v wp="$WP" -v w6="$W6" 'BEGIN {
    med = b / wmed / 1e6; gib = b / 1073741824
    printf "%-22s %9.0f %9.0f %9.0f %11.2f %9.2f %9.2f|%.0f|%.3f\n", n, med, b / wmax / 1e6, b / wmin / 1e6,
      c / gib, med / (tb / wp / 1e6), med / (tb / w6 / 1e6), med, c / gib }')
  echo "${line%%|*}"
  rest=${line#*|}
  MEDIAN_MBS[$name]=${rest%%|*}
  CPU_GIB[$name]=${rest#*|}
done

echo
awk -v e="${MEDIAN_MBS[engine, 6 at once]}" -v six="${MEDIAN_MBS[6 curl processes]}" \
    -v par="${MEDIAN_MBS[curl --parallel]}" -v ce="${CPU_GIB[engine, 6 at once]}" \
    -v c6="${CPU_GIB[6 curl processes]}" -v cp="${CPU_GIB[curl --parallel]}" 'BEGIN {
  printf "engine, 6 at once: %.2f x six curl processes (target at least 0.80), %.2f x curl --parallel (target at least 2.00)\n", e / six, e / par
  printf "CPU per GiB: engine %.3f s, six curl processes %.3f s, curl --parallel %.3f s (target: engine below both)\n", ce, c6, cp
}'

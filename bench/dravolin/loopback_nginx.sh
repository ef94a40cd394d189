# shellcheck shell=bash
# Sourced by the download benchmarks: COUNT files of SIZE_MIB MiB of random
# bytes, each served over HTTPS by an nginx of its own on loopback, and an
# empty folder for the downloads.
#
#   COUNT=6 SIZE_MIB=1024; source bench/dravolin/loopback_nginx.sh
#   require_tools nginx curl openssl ...
#   serve_files
#
# serve_files sets WORK (served files under $WORK/files/driver<i>.bin), OUT,
# URLS and TOTAL_BYTES, exports PELLUCOR_CA_FILE with the servers'
# certificate, and removes everything when the calling shell exits.
#
# Downloads land in memory (/dev/shm) when it has room, so that the disk's
# writeback throttling, which hits whichever client runs when the dirty limit
# is reached, stays out of the figures; BENCH_OUT=<folder> names another place.

require_tools() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "missing: $tool (scripts/install-deps.sh, then build)" >&2; exit 1; }
  done
}

NGINX_PIDS=()
WORK=""
OUT=""
cleanup_served_files() {
  local pid
  for pid in "${NGINX_PIDS[@]}"; do kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true; done
  [ -n "$WORK" ] && rm -rf "$WORK"
  [ -n "$OUT" ] && rm -rf "$OUT"
}

# One single-worker nginx per file, each on a port of its own: connections
# that arrive together would otherwise share workers at random, and the
# server, not the client, would set the pace.
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

serve_files() {
  trap cleanup_served_files EXIT
  WORK=$(mktemp -d "${TMPDIR:-/tmp}/dravolin-bench-XXXXXX")

  # Served files plus one set of downloads at a time, and some room.
  local need_kib free_kib shm_kib out_base i url
  need_kib=$(( SIZE_MIB * 1024 * COUNT * 2 + 1024 * 1024 ))
  free_kib=$(df -Pk "$WORK" | awk 'NR==2 {print $4}')
  if [ "$free_kib" -lt "$need_kib" ]; then
    echo "not enough disk under $WORK: $((free_kib / 1024)) MiB free, $((need_kib / 1024)) MiB needed" >&2
    exit 1
  fi

  # The downloads go to a folder of their own inside the chosen place.
  out_base=${BENCH_OUT:-}
  if [ -z "$out_base" ]; then
    out_base=$WORK
    shm_kib=$(df -Pk /dev/shm 2>/dev/null | awk 'NR==2 {print $4}')
    if [ -n "$shm_kib" ] && [ "$shm_kib" -gt $(( SIZE_MIB * 1024 * COUNT + 1024 * 1024 )) ]; then
      out_base=/dev/shm
    fi
  fi
  OUT=$(mktemp -d "$out_base/dravolin-bench-out-XXXXXX")
  mkdir -p "$WORK/files" "$WORK/nginx"
  chmod 755 "$WORK" "$WORK/files"
  echo "making $COUNT files of $SIZE_MIB MiB under $WORK"
  for i in $(seq 1 "$COUNT"); do
    head -c "$((SIZE_MIB * 1024 * 1024))" /dev/urandom > "$WORK/files/driver$i.bin"
    chmod 644 "$WORK/files/driver$i.bin"
  done
  openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 1 \
    -keyout "$WORK/key.pem" -out "$WORK/cert.pem" -subj /CN=127.0.0.1 \
    -addext subjectAltName=IP:127.0.0.1 2>/dev/null

  PORT=$(( 20000 + RANDOM % 20000 ))
  URLS=()
  for i in $(seq 1 "$COUNT"); do
    start_nginx "$i"
    url=https://127.0.0.1:$((PORT + i))/driver$i.bin
    for _ in $(seq 1 100); do
      curl -s --cacert "$WORK/cert.pem" -o /dev/null -I "$url" && break
      sleep 0.1
    done
    URLS+=("$url")
  done
  # shellcheck disable=SC2034  # read by the calling script
  TOTAL_BYTES=$(( SIZE_MIB * 1024 * 1024 * COUNT ))
  export PELLUCOR_CA_FILE=$WORK/cert.pem

  # A cold first read of the files would slow whoever goes first.
  cat "$WORK/files/"* >/dev/null
}

# check_and_clear NAME [N]: the copies of driver1.bin ... driver<N>.bin (N
# defaults to COUNT) that a finished run saved anywhere below OUT must be the
# served files, byte for byte; then OUT is emptied.
check_and_clear() {
  local name=$1 n=${2:-$COUNT} i saved
  for i in $(seq 1 "$n"); do
    saved=$(find "$OUT" -type f -name "driver$i.bin")
    if [ -z "$saved" ] || [ "$(wc -l <<<"$saved")" -ne 1 ] || ! cmp -s "$WORK/files/driver$i.bin" "$saved"; then
      echo "$name: driver$i.bin missing or different" >&2
      exit 1
    fi
  done
  rm -rf "${OUT:?}/"*
}

# median | min | max of a list of numbers
stats() { tr ' ' '\n' <<<"$1" | awk 'NF' | sort -g | awk '
  { v[NR] = $1 } END { m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; print m, v[1], v[NR] }'; }

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
# Downloads land in memory (/dev/shm) when it has room (see loopback_nginx.sh).
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=${1:-$ROOT/build}
SIZE_MIB=${2:-1024}
ROUNDS=${3:-5}
COUNT=6
BIN=$BUILD/bin
source "$ROOT/bench/dravolin/loopback_nginx.sh"
require_tools nginx curl aria2c openssl "$BIN/bench_dravolin_engine" "$BIN/bench_dravolin_manager"
serve_files

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
  if [ "${FUNCS[$i]}" = curl_one ]; then check_and_clear "$name" 1; else check_and_clear "$name"; fi
}

LOAD_BEFORE=$(cut -d' ' -f1-3 /proc/loadavg)
echo "warm-up round"
for i in "${!NAMES[@]}"; do client "$i" 0; done
for r in $(seq 1 "$ROUNDS"); do
  echo "round $r of $ROUNDS"
  for k in "${!NAMES[@]}"; do client $(( (k + r - 1) % ${#NAMES[@]} )) 1; done
done
LOAD_AFTER=$(cut -d' ' -f1-3 /proc/loadavg)

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

#!/usr/bin/env bash
# The window program's downloads against the download manager alone, in one
# run, over HTTPS on loopback from nginx (bench/dravolin/loopback_nginx.sh).
#
#   bench/window_download/run.sh [build-dir] [file-size-MiB] [rounds]   (defaults: build, 1024, 5)
#
# Six files are fetched by two clients: the real main window on the offscreen
# platform (bench_window_download: the model queried from a local service
# whose drivers point at nginx, every driver ticked with the select-all
# button, the download button clicked, the program's message loop running)
# and the download manager and dispatcher alone (bench_dravolin_manager).
# Both count from the start of the downloads (the click; the first enqueue)
# to the last one seen done at a 20 ms tick. An untimed warm-up runs each
# once; the timed rounds run both, the order swapped every round. Printed:
# each timed run's throughput, then the median, lowest and highest of each
# client, the window's against the manager's (target at least 0.90), and the
# window thread's CPU time during the transfer as a share of one core (target
# below 5 %) and per GiB: the list redraws follow the progress notices, so the
# share grows with the throughput. The load average is printed before and
# after: figures taken on a busy machine do not compare.
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=${1:-$ROOT/build}
SIZE_MIB=${2:-1024}
ROUNDS=${3:-5}
COUNT=6
BIN=$BUILD/bin
source "$ROOT/bench/dravolin/loopback_nginx.sh"
require_tools nginx curl openssl "$BIN/bench_window_download" "$BIN/bench_dravolin_manager"
serve_files

NAMES=("window, clicked" "manager alone")
window() { "$BIN/bench_window_download" "$OUT" "$((SIZE_MIB * 1024 * 1024))" "${URLS[@]}"; }
manager() { "$BIN/bench_dravolin_manager" "$OUT" "${URLS[@]}"; }
FUNCS=(window manager)

# One client's run: its own figures kept when timed, the files checked and removed.
declare -A MBS CPUS
WINDOW_SHARES=""
WINDOW_MS_GIB=""
RATIOS=""
client() {
  local i=$1 timed=$2 name=${NAMES[$1]} secs cpu bytes wcpu
  "${FUNCS[$i]}" >"$WORK/out" 2>"$WORK/err" || { cat "$WORK/err" >&2; exit 1; }
  check_and_clear "$name"
  [ "$timed" = 1 ] || return 0
  read -r secs cpu bytes < <(sed -n 1p "$WORK/out")
  [ "$bytes" = "$TOTAL_BYTES" ] || { echo "$name: $bytes bytes, not $TOTAL_BYTES" >&2; exit 1; }
  MBS[$name]+="$(awk -v b="$bytes" -v s="$secs" 'BEGIN { printf "%.1f", b / s / 1e6 }') "
  CPUS[$name]+="$(awk -v b="$bytes" -v c="$cpu" 'BEGIN { printf "%.3f", c / (b / 1073741824) }') "
  if [ "$i" = 0 ]; then
    wcpu=$(sed -n 2p "$WORK/out")
    WINDOW_SHARES+="$(awk -v w="$wcpu" -v s="$secs" 'BEGIN { printf "%.2f", 100 * w / s }') "
    WINDOW_MS_GIB+="$(awk -v w="$wcpu" -v b="$bytes" 'BEGIN { printf "%.1f", 1000 * w / (b / 1073741824) }') "
  fi
  echo "  $name: $(awk '{print $NF}' <<<"${MBS[$name]}") MB/s"
}

LOAD_BEFORE=$(cut -d' ' -f1-3 /proc/loadavg)
echo "warm-up round"
for i in "${!NAMES[@]}"; do client "$i" 0; done
for r in $(seq 1 "$ROUNDS"); do
  echo "round $r of $ROUNDS"
  for k in "${!NAMES[@]}"; do client $(( (k + r - 1) % ${#NAMES[@]} )) 1; done
  # The pair of this round, window over manager.
  RATIOS+="$(awk -v w="$(awk '{print $NF}' <<<"${MBS[window, clicked]}")" \
    -v m="$(awk '{print $NF}' <<<"${MBS[manager alone]}")" 'BEGIN { printf "%.3f", w / m }') "
done
LOAD_AFTER=$(cut -d' ' -f1-3 /proc/loadavg)

echo
echo "$COUNT files x $SIZE_MIB MiB over HTTPS on loopback, saved under $OUT (nginx $(nginx -v 2>&1 | sed 's/.*\///'))"
echo "$ROUNDS timed rounds after one warm-up; $(nproc) processors; load average before: $LOAD_BEFORE, after: $LOAD_AFTER"
printf '%-18s %9s %9s %9s %11s\n' client "MB/s med" min max "CPU s/GiB"
for name in "${NAMES[@]}"; do
  read -r med min max <<<"$(stats "${MBS[$name]}")"
  read -r cmed _ _ <<<"$(stats "${CPUS[$name]}")"
  printf '%-18s %9.0f %9.0f %9.0f %11.2f\n' "$name" "$med" "$min" "$max" "$cmed"
done
read -r wmed _ _ <<<"$(stats "${MBS[window, clicked]}")"
read -r mmed _ _ <<<"$(stats "${MBS[manager alone]}")"
read -r rmed rmin rmax <<<"$(stats "$RATIOS")"
read -r smed smin smax <<<"$(stats "$WINDOW_SHARES")"
read -r gmed _ _ <<<"$(stats "$WINDOW_MS_GIB")"
echo
awk -v w="$wmed" -v m="$mmed" -v rmed="$rmed" -v rmin="$rmin" -v rmax="$rmax" \
    -v smed="$smed" -v smin="$smin" -v smax="$smax" -v gmed="$gmed" 'BEGIN {
  printf "window / manager alone: %.2f (medians; per round: median %.2f, min %.2f, max %.2f); target at least 0.90\n", w / m, rmed, rmin, rmax
  printf "window thread CPU, click to all done: median %.2f %%, min %.2f %%, max %.2f %% of one core (median %.0f ms per GiB); target below 5 %%\n", smed, smin, smax, gmed
}'

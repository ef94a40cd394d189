#!/usr/bin/env bash
# Packs a driver-like tree of about 3 GiB with Fendrel (through fendrel_pack),
# xorriso and genisoimage, each once with the image flushed to disk before the
# clock stops and once without, and prints median, minimum and maximum
# throughputs. Ratios compare only like with like: flushed with flushed,
# unflushed with unflushed.
#
# Fendrel flushes as part of its work; its unflushed figure preloads
# fendrel_no_flush.so, which makes its fsync, sync_file_range and
# posix_fadvise calls do nothing. The other tools do not flush; their flushed
# figure adds `sync FILE` (an fsync of the image) to the timed run. The
# disk's flushed sequential-write limit is timed beside them, in the same
# rotation: dd writing as many bytes as the image with conv=fdatasync.
#
# One untimed warm-up round, then RUNS timed rounds (at least 5), each in a
# rotated order. Other builds on the machine skew the figures: the load
# average is printed before and after; run it when the machine is quiet.
#
# Usage: bench/fendrel/run_bench.sh [build-dir]   (default: build)
# Env:   RUNS (default 5), TREE_MIB (default 3072), BENCH_TMP (default /tmp)
set -euo pipefail

build_dir="${1:-build}"
runs="${RUNS:-5}"
tree_mib="${TREE_MIB:-3072}"
[ "$runs" -ge 5 ] || { echo "RUNS must be at least 5" >&2; exit 1; }
packer="$(realpath "$build_dir")/bin/fendrel_pack"
no_flush="$(realpath "$build_dir")/bin/fendrel_no_flush.so"
for built in "$packer" "$no_flush"; do
  [ -e "$built" ] || { echo "missing $built: cmake --build --preset default" >&2; exit 1; }
done
for tool in xorriso genisoimage; do
  command -v "$tool" >/dev/null || { echo "missing $tool: scripts/install-deps.sh" >&2; exit 1; }
done

load() { cut -d' ' -f1-3 /proc/loadavg; }
echo "load average (1, 5, 15 min) at start: $(load) on $(nproc) cores"

tmp_root="${BENCH_TMP:-/tmp}"
# Source, one image at a time and the extracted copy for the check.
need_kib=$(( tree_mib * 1024 * 3 + 2 * 1024 * 1024 ))
free_kib=$(df -Pk "$tmp_root" | awk 'NR == 2 { print $4 }')
if [ "$free_kib" -lt "$need_kib" ]; then
  echo "needs $(( need_kib / 1024 / 1024 )) GiB free in $tmp_root, has $(( free_kib / 1024 / 1024 )) GiB" >&2
  exit 1
fi
work="$(mktemp -d "$tmp_root/fendrel-bench.XXXXXX")"
trap 'rm -rf "$work"' EXIT
src="$work/驱动下载"
iso="$work/Driver.iso"

# 3 models x 2 systems x 8 categories; per category one large package, a few
# smaller ones and the small text files that come with drivers.
echo "building a tree of about $tree_mib MiB in $work"
leaf_kib=$(( tree_mib * 1024 / 48 ))
categories=(声卡驱动 显卡驱动 网卡驱动 无线网卡驱动 蓝牙驱动 芯片组驱动 触控板驱动 BIOS与固件)
for model in "Halden X1 Slate 第九代" "Corran K4e 商务笔记本" "Vesper 510S 台式机"; do
  for system in "Windows 10 64位" "Windows 11 64位"; do
    for category in "${categories[@]}"; do
      leaf="$src/$model/$system/$category"
      mkdir -p "$leaf/说明文档"
      long="${category}_Intel Realtek Qualcomm combined installation package for ${system} version 1.2.3.4567"
      head -c $(( leaf_kib * 1024 * 3 / 4 )) /dev/urandom > "$leaf/$long.exe"
      head -c $(( leaf_kib * 1024 / 8 )) /dev/urandom > "$leaf/${category}安装程序.zip"
      head -c $(( leaf_kib * 1024 / 8 )) /dev/urandom > "$leaf/setup_${category}.cab"
      head -c 4096 /dev/urandom | base64 > "$leaf/说明文档/安装说明与注意事项（请在安装驱动程序之前仔细阅读本文件的全部内容）.txt"
      head -c 900 /dev/urandom | base64 > "$leaf/driver.inf"
    done
  done
done
echo "tree: $(find "$src" -type f | wc -l) files, $(du -sb "$src" | cut -f1) bytes"

xorriso_pack()     { LC_ALL=C.UTF-8 xorriso -as mkisofs -quiet -J -joliet-long -R -o "$iso" "$src" 2>/dev/null; }
genisoimage_pack() { LC_ALL=C.UTF-8 genisoimage -quiet -J -joliet-long -R -o "$iso" "$src" 2>/dev/null; }
run_fendrel_flushed()       { LC_ALL=C "$packer" "$src" "$iso"; }
run_fendrel_unflushed()     { LC_ALL=C LD_PRELOAD="$no_flush" "$packer" "$src" "$iso"; }
run_xorriso_flushed()       { xorriso_pack && sync "$iso"; }
run_xorriso_unflushed()     { xorriso_pack; }
run_genisoimage_flushed()   { genisoimage_pack && sync "$iso"; }
run_genisoimage_unflushed() { genisoimage_pack; }
run_dd_flushed()            { dd if=/dev/zero of="$iso" bs=1M count="$image_mib" conv=fdatasync status=none; }
tools=(fendrel_flushed xorriso_flushed genisoimage_flushed dd_flushed
       fendrel_unflushed xorriso_unflushed genisoimage_unflushed)

check_image() {
  echo "checking Fendrel's image with xorriso"
  LC_ALL=C.UTF-8 xorriso -osirrox on -indev "$iso" -extract / "$work/extracted" 2>/dev/null
  (cd "$src" && find . -type f -print0 | sort -z | xargs -0 sha256sum) > "$work/source.sha"
  (cd "$work/extracted" && find . -type f -print0 | sort -z | xargs -0 sha256sum) > "$work/image.sha"
  cmp -s "$work/source.sha" "$work/image.sha" || { echo "Rock Ridge content differs" >&2; exit 1; }
  (cd "$src" && find . -mindepth 1 | sed 's|^\.||' | sort) > "$work/source.names"
  LC_ALL=C.UTF-8 xorriso -read_fs norock -indev "$iso" -find / 2>/dev/null |
    sed "s|^'||; s|'\$||" | grep -v '^/$' | sort > "$work/joliet.names"
  cmp -s "$work/source.names" "$work/joliet.names" || { echo "Joliet names differ" >&2; exit 1; }
  chmod -R u+w "$work/extracted" && rm -rf "$work/extracted"
  echo "image checked: same files and SHA-256 through Rock Ridge, same names through Joliet"
}

# Round 0 is the untimed warm-up: the source in the page cache, each tool's
# program and libraries loaded once, Fendrel's image checked.
declare -A results
for (( round = 0; round <= runs; round++ )); do
  for (( k = 0; k < ${#tools[@]}; k++ )); do
    tool="${tools[$(( (k + round) % ${#tools[@]} ))]}"  # rotate the order
    rm -f "$iso"
    sync  # nothing left over from the previous run is written back during this one
    start=$(date +%s.%N)
    "run_$tool"
    end=$(date +%s.%N)
    bytes=$(stat -c %s "$iso")
    seconds=$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')
    mbs=$(awk -v n="$bytes" -v s="$seconds" 'BEGIN { print n / s / 1000000 }')
    if [ "$round" -eq 0 ]; then
      printf 'warm-up  %-22s %6.2f s %8.1f MB/s (not counted)\n' "$tool" "$seconds" "$mbs"
      if [ "$tool" = fendrel_flushed ]; then
        image_mib=$(( (bytes + (1 << 20) - 1) >> 20 ))  # for dd, which comes later in the rotation
        check_image
      fi
    else
      results[$tool]+="$mbs "
      printf 'round %d  %-22s %6.2f s %8.1f MB/s\n' "$round" "$tool" "$seconds" "$mbs"
    fi
  done
done
rm -f "$iso"

# Prints "median min max" of the numbers on standard input.
summary() {
  tr ' ' '\n' | grep -v '^$' | sort -g | awk '{ v[NR] = $1 }
    END { m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; print m, v[1], v[NR] }'
}
echo
echo "throughput over $runs rounds (image bytes / wall time), MB/s:"
printf '  %-22s %8s %8s %8s\n' tool median min max
declare -A med
for tool in "${tools[@]}"; do
  read -r m lo hi < <(echo "${results[$tool]}" | summary)
  med[$tool]=$m
  printf '  %-22s %8.1f %8.1f %8.1f\n' "$tool" "$m" "$lo" "$hi"
done
ratio() { awk -v a="${med[$1]}" -v b="${med[$2]}" 'BEGIN { printf "%.2f", a / b }'; }
echo "median ratios (above 1: Fendrel faster):"
for mode in flushed unflushed; do
  printf '  %-10s Fendrel / xorriso %s, Fendrel / genisoimage %s\n' "$mode:" \
    "$(ratio "fendrel_$mode" "xorriso_$mode")" "$(ratio "fendrel_$mode" "genisoimage_$mode")"
done
printf '  flushed:   Fendrel / dd limit %s (Fendrel %.1f MB/s beside dd %.1f MB/s)\n' \
  "$(ratio fendrel_flushed dd_flushed)" "${med[fendrel_flushed]}" "${med[dd_flushed]}"
echo "load average (1, 5, 15 min) at end: $(load)"

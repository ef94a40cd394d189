#!/usr/bin/env bash
# Packs a driver-like tree of about 4 GiB with Fendrel (through fendrel_pack),
# with xorriso and with genisoimage, RUNS times each in turn, checks
# Fendrel's image with xorriso and prints the median throughputs and ratios.
#
# Usage: bench/fendrel/run_bench.sh [build-dir]   (default: build)
# Env:   RUNS (default 5), TREE_MIB (default 4096), BENCH_TMP (default /tmp)
set -euo pipefail

build_dir="${1:-build}"
runs="${RUNS:-5}"
tree_mib="${TREE_MIB:-4096}"
packer="$(realpath "$build_dir")/bin/fendrel_pack"
[ -x "$packer" ] || { echo "missing $packer: cmake --build --preset default --target fendrel_pack" >&2; exit 1; }
for tool in xorriso genisoimage; do
  command -v "$tool" >/dev/null || { echo "missing $tool: scripts/install-deps.sh" >&2; exit 1; }
done

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
for model in "ThinkPad X1 Carbon 第九代" "昭阳 K4e 商务笔记本" "天逸 510S 台式机"; do
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
tree_bytes=$(du -sb "$src" | cut -f1)
echo "tree: $(find "$src" -type f | wc -l) files, $tree_bytes bytes"
find "$src" -type f -exec cat {} + > /dev/null  # every tool reads from the page cache

run_fendrel()     { LC_ALL=C "$packer" "$src" "$iso"; }
run_xorriso()     { LC_ALL=C.UTF-8 xorriso -as mkisofs -quiet -J -joliet-long -R -o "$iso" "$src" 2>/dev/null; }
run_genisoimage() { LC_ALL=C.UTF-8 genisoimage -quiet -J -joliet-long -R -o "$iso" "$src" 2>/dev/null; }
# The same as xorriso, plus the flush to disk that Fendrel does before it
# reports 100.
run_xorriso_fsync() { run_xorriso && sync "$iso"; }

tools=(fendrel xorriso genisoimage xorriso_fsync)
declare -A results
for (( run = 1; run <= runs; run++ )); do
  for (( k = 0; k < ${#tools[@]}; k++ )); do
    tool="${tools[$(( (k + run) % ${#tools[@]} ))]}"  # rotate the order
    rm -f "$iso"
    sync
    start=$(date +%s.%N)
    "run_$tool"
    end=$(date +%s.%N)
    bytes=$(stat -c %s "$iso")
    seconds=$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')
    mbs=$(awk -v n="$bytes" -v s="$seconds" 'BEGIN { print n / s / 1000000 }')
    results[$tool]+="$mbs "
    printf 'run %d %-14s %6.2f s %8.1f MB/s\n' "$run" "$tool" "$seconds" "$mbs"
    if [ "$tool" = fendrel ] && [ "$run" -eq 1 ]; then
      echo "checking Fendrel's image with xorriso"
      LC_ALL=C.UTF-8 xorriso -osirrox on -indev "$iso" -extract / "$work/extracted" 2>/dev/null
      (cd "$src" && find . -type f -print0 | sort -z | xargs -0 sha256sum) > "$work/source.sha"
      (cd "$work/extracted" && find . -type f -print0 | sort -z | xargs -0 sha256sum) > "$work/image.sha"
      cmp -s "$work/source.sha" "$work/image.sha" || { echo "Rock Ridge content differs" >&2; exit 1; }
      (cd "$src" && find . -mindepth 1 | sed 's|^\.||' | sort) > "$work/source.names"
      LC_ALL=C.UTF-8 xorriso -read_fs norock -indev "$iso" -find / 2>/dev/null |
        sed "s|^'||; s|'\$||" | grep -v '^/$' | sort > "$work/joliet.names"
      cmp -s "$work/source.names" "$work/joliet.names" || { echo "Joliet names differ" >&2; exit 1; }
      rm -rf "$work/extracted"
      echo "image checked: same files and SHA-256 through Rock Ridge, same names through Joliet"
    fi
  done
done
rm -f "$iso"

median() { tr ' ' '\n' | grep -v '^$' | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
echo
echo "median throughput over $runs runs (image bytes / wall time):"
declare -A med
for tool in "${tools[@]}"; do
  med[$tool]=$(echo "${results[$tool]}" | median)
  printf '  %-14s %8.1f MB/s\n' "$tool" "${med[$tool]}"
done
ratio() { awk -v a="${med[$1]}" -v b="${med[$2]}" 'BEGIN { printf "%.3f", a / b }'; }
echo "ratio Fendrel / xorriso:           $(ratio fendrel xorriso)"
echo "ratio Fendrel / genisoimage:       $(ratio fendrel genisoimage)"
echo "ratio Fendrel / xorriso with sync: $(ratio fendrel xorriso_fsync)"

#!/usr/bin/env bash
# Installs every Debian package the build, the tests, the demo and the
# benchmarks need. Safe to run again: apt-get skips what is already there.
set -euo pipefail

PACKAGES=(
  # toolchain
  build-essential cmake ninja-build pkg-config ccache clang clang-format libclang-rt-14-dev binutils
  # libraries the deliverables link
  libcurl4-openssl-dev libjsoncpp-dev libssl-dev libsqlite3-dev
  # local web service
  libcpp-httplib-dev openssl
  # window framework layer
  qt6-base-dev qt6-translations-l10n libxcb1-dev libpugixml-dev fonts-wqy-microhei xvfb x11-utils imagemagick xdotool xdg-utils
  # ISO packer, its peers and the readers its tests check images with
  libisofs-dev xorriso genisoimage libarchive-tools
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev curl aria2 nginx sqlite3
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -eq 0 ]; then
  echo "install-deps: all packages present"
  exit 0
fi

SUDO=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null 2>&1; then
    echo "install-deps: missing packages: ${missing[*]}" >&2
    echo "install-deps: this user cannot install them (not root, no sudo); as root, run:" >&2
    echo "  apt-get update && apt-get install -y --no-install-recommends ${missing[*]}" >&2
    exit 1
  fi
  SUDO=(sudo)
fi

echo "install-deps: installing ${missing[*]}"
"${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"

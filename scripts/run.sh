#!/usr/bin/env bash
# Installs what is missing, builds, and starts the demo. For now that is the
# local HTTPS service on 127.0.0.1 (port 8443, or the first argument) with a
# throw-away certificate; Ctrl+C stops it.
set -euo pipefail
cd "$(dirname "$0")/.."
port="${1:-8443}"
bash scripts/install-deps.sh
cmake --preset default
cmake --build --preset default -j 4
certs="$(mktemp -d)"
trap 'rm -rf "$certs"' EXIT
openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes \
  -keyout "$certs/key.pem" -out "$certs/cert.pem" -days 7 \
  -subj /CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1 2>/dev/null
echo "local service on https://127.0.0.1:$port"
echo "point the deliverables at it: export PELLUCOR_SERVICE_URL=https://127.0.0.1:$port"
echo "let the download engine trust it: export DRAVOLIN_CA_FILE=$certs/cert.pem"
build/bin/local_service "$port" --cert "$certs/cert.pem" --key "$certs/key.pem"

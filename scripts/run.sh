#!/usr/bin/env bash
# The demo: installs what is missing, builds, starts the local HTTPS service
# (127.0.0.1, port 8443 or the first argument, a throw-away certificate) and
# then the window program against it. Closing the window ends both; Ctrl+C
# closes the window as the user would.
#
# Without a display the window runs on a virtual one (Xvfb); the script saves
# a screenshot of it and prints where, then keeps it running until Ctrl+C.
set -euo pipefail
cd "$(dirname "$0")/.."
port="${1:-8443}"
bash scripts/install-deps.sh
cmake --preset default
cmake --build --preset default -j "$(nproc)"

work="$(mktemp -d)"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes \
  -keyout "$work/key.pem" -out "$work/cert.pem" -days 7 \
  -subj /CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1 2>/dev/null
# Own sessions: Ctrl+C reaches the window, which still reports to the
# service and draws on the display while it closes.
setsid build/bin/local_service "$port" --cert "$work/cert.pem" --key "$work/key.pem" &
pids+=($!)
for _ in $(seq 100); do
  curl -s --cacert "$work/cert.pem" -o /dev/null "https://127.0.0.1:$port/" && break
  sleep 0.1
done

# The three deliverables talk to the local service and trust its certificate.
export PELLUCOR_SERVICE_URL="https://127.0.0.1:$port"
export PELLUCOR_CA_FILE="$work/cert.pem"
echo "local service on $PELLUCOR_SERVICE_URL"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "no display: running the window on a virtual display (Xvfb)"
  display=":$((90 + RANDOM % 9))"
  setsid Xvfb "$display" -screen 0 1024x640x24 -nolisten tcp &
  pids+=($!)
  export DISPLAY="$display"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  build/bin/Pellucor &
  program=$!
  shot="$(pwd)/build/pellucor-demo.png"
  sleep 4
  import -window root "$shot"
  echo "screenshot of the window: $shot"
  echo "the window runs on the virtual display; Ctrl+C closes it"
  trap 'kill -TERM "$program" 2>/dev/null || true' INT TERM
  while kill -0 "$program" 2>/dev/null; do wait "$program" || true; done
else
  build/bin/Pellucor
fi

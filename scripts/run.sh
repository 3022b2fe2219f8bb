#!/usr/bin/env bash
# Installs, builds and runs Torvel against simulated cameras in a private network lab.
#
# The lab is a set of network namespaces made for this run and removed when it ends: the PC
# side ("pc") reaches a camera segment over a veth link, and camsim plays the cameras there.
# Nothing is broadcast on this machine's own network. The wizard's web page is forwarded from
# the lab to 127.0.0.1:PORT here, so a browser on this machine can show it.
#
#   scripts/run.sh [--cameras FILE] [--port N] [--no-browser]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
cameras=tools/camsim/examples/three-cameras.json
port=8765
browser=1
while [ $# -gt 0 ]; do
  case "$1" in
    --cameras) cameras=$2; shift 2 ;;
    --port) port=$2; shift 2 ;;
    --no-browser) browser=0; shift ;;
    *) echo "usage: scripts/run.sh [--cameras FILE] [--port N] [--no-browser]" >&2; exit 2 ;;
  esac
done
[ "$(id -u)" -eq 0 ] || { echo "run.sh: the network lab needs root (network namespaces)" >&2; exit 1; }

scripts/install-deps.sh
scripts/build.sh

lab="demo$$"
netlab="$root/tools/netlab/netlab.sh"
bin="$root/build"
run_dir=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  "$netlab" destroy "$lab" >/dev/null 2>&1 || true
  rm -rf "$run_dir"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

echo "== building the lab $lab: PC lan0 192.168.50.100/24 <-> camera segment 192.168.50.0/24"
"$netlab" create "$lab"
"$netlab" link "$lab" lan0 192.168.50.100/24 cams 192.168.50.2/24
"$netlab" exec "$lab" cams "$bin/tools/camsim/camsim" --config "$root/$cameras" \
  --control "$run_dir/camsim.sock" --ready-file "$run_dir/camsim.ready" >"$run_dir/camsim.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -e "$run_dir/camsim.ready" ] && break; sleep 0.1; done
[ -e "$run_dir/camsim.ready" ] || { cat "$run_dir/camsim.log" >&2; exit 1; }

echo "== yovctl search (in the lab)"
"$netlab" exec "$lab" pc env YOV_ADAPTERS=lan0 "$bin/tools/yovctl/yovctl" search || true

echo "== starting the wizard on 127.0.0.1:$port"
"$netlab" exec "$lab" pc "$bin/wizard/torvel" --adapter lan0 --port "$port" --no-browser \
  >"$run_dir/torvel.out" 2>&1 &
pids+=($!)
url=""
for _ in $(seq 100); do
  url=$(grep -o 'http://127.0.0.1:[0-9]*/[^ ]*' "$run_dir/torvel.out" | head -n 1 || true)
  [ -n "$url" ] && break
  sleep 0.1
done
[ -n "$url" ] || { cat "$run_dir/torvel.out" >&2; exit 1; }
# Forward this machine's 127.0.0.1:PORT to the wizard's server inside the lab; the Host header
# stays 127.0.0.1:PORT, which the server expects.
socat "TCP-LISTEN:$port,bind=127.0.0.1,reuseaddr,fork" \
  "EXEC:$netlab exec $lab pc socat STDIO TCP\:127.0.0.1\:$port" &
pids+=($!)
echo "== the wizard: $url"
if [ "$browser" = 1 ] && [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  xdg-open "$url" >/dev/null 2>&1 || true
fi
echo "   (Ctrl-C ends the wizard and removes the lab)"
wait "${pids[1]}"

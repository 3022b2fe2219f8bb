#!/usr/bin/env bash
# Installs every Debian and npm package that building, running and testing need.
set -euo pipefail
cd "$(dirname "$0")/.."
pkgs=(build-essential cmake ninja-build pkg-config libssl-dev libboost-dev nlohmann-json3-dev
      libcurl4-openssl-dev libturbojpeg0-dev libgtest-dev libgmock-dev libbenchmark-dev
      iproute2 dnsmasq-base socat chromium xdg-utils)
# Node.js may come from outside Debian (it does on our machines); take Debian's only if absent.
command -v node >/dev/null && command -v npm >/dev/null || pkgs+=(nodejs npm)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
if [ -f package.json ] && [ ! -d node_modules/playwright-core ]; then
  npm install --no-audit --no-fund --loglevel=error
fi

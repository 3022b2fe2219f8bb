#!/usr/bin/env bash
# Installs, builds and runs every test (unit, network lab, browser).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
cd build
ctest --output-on-failure -j"$(nproc)" "$@"

#!/usr/bin/env bash
# Configures and builds into build/ with Ninja.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja >/dev/null
cmake --build build -j"$(nproc)"

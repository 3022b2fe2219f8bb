#!/bin/sh
# run_node_test.sh: runs a browser test script with node; skips (77) when node is missing.
if ! command -v node >/dev/null 2>&1; then
  echo "SKIP: node is not installed"
  exit 77
fi
exec node "$@"

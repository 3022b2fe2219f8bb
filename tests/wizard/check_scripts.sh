#!/bin/sh
# check_scripts.sh: node --check on each script given; skips (77) without node.
command -v node >/dev/null 2>&1 || { echo "SKIP: node is not installed"; exit 77; }
for f in "$@"; do node --check "$f" || exit 1; done
echo "all scripts parse"

#!/usr/bin/env bash
# The modern link rules against linkify-it 5 (npm, pinned in package-lock.json; bench only):
# agreement over 3,000 real texts with addresses, then speed over 1 MiB and 4 MiB of real text.
set -euo pipefail
build_dir=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)
if [[ ! -d "$here/node_modules/linkify-it" ]]; then
  (cd "$here" && npm ci --no-audit --no-fund --silent)
fi
node "$here/agreement.mjs" "$build_dir" --show=20
node "$here/speed.mjs" "$build_dir"

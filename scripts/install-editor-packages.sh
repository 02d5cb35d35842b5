#!/usr/bin/env bash
# Installs the npm packages pinned in <folder>/package-lock.json into <folder>/node_modules,
# unless the installed tree already matches the lock file.
set -euo pipefail
folder=${1:?usage: install-editor-packages.sh FOLDER}
cd "$folder"
installed=node_modules/.package-lock.json
if [[ -f $installed && ! package-lock.json -nt $installed ]]; then
  exit 0
fi
command -v npm >/dev/null || { echo "npm is missing: install the packages in packages-test.txt" >&2; exit 1; }
# The packages are served as they come; none of them needs its install scripts.
npm ci --ignore-scripts --no-audit --no-fund

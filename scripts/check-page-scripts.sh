#!/usr/bin/env bash
# Checks the scripts the program runs in pages: each .js file in the folder parses, and the
# resource list compiles in exactly the files that are there.
# Usage: check-page-scripts.sh FOLDER QRC
set -euo pipefail
folder=${1:?usage: check-page-scripts.sh FOLDER QRC}
qrc=${2:?usage: check-page-scripts.sh FOLDER QRC}
command -v node >/dev/null || { echo "node is missing: install the packages in packages-test.txt" >&2; exit 1; }
status=0
for file in "$folder"/*.js; do
  node --check "$file" || status=1
done
listed=$(sed -n 's|.*<file>scripts/\(.*\)</file>.*|\1|p' "$qrc" | sort)
present=$(cd "$folder" && ls -- *.js | sort)
if [[ $listed != "$present" ]]; then
  echo "$qrc does not list exactly the files of $folder:" >&2
  diff <(echo "$listed") <(echo "$present") >&2 || true
  status=1
fi
exit $status

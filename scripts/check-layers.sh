#!/usr/bin/env bash
# Checks the source tree's shape: each folder includes only itself and the folders below it
# (core < ui < compose < browser < watch < app), no two files of app/ include each other, and no
# window or panel file grows past 300 lines.
# Given the tests folder too, each tests/<area>/ keeps the same layers, so a test sits at the depth
# of what it tests: beside tests/support it includes only its own area and the areas below it
# (a "../browser/..." include counts as the browser area's).
# Prints every breach and exits 1 when there is one.
# Usage: check-layers.sh [src folder] [tests folder]
set -euo pipefail
src=${1:-"$(dirname "$0")/../src"}
tests=${2:-}
layers=(core ui compose browser watch app)
rank() {
  local i
  for i in "${!layers[@]}"; do [[ ${layers[$i]} == "$1" ]] && { echo "$i"; return; }; done
  echo -1
}

breaches=0
# check_layers ROOT SHOWN [EXTRA]: every file of ROOT/<layer>/ includes only its layer and those
# below it, or the folder EXTRA; breaches name the file as SHOWN<layer>/<file>.
check_layers() {
  local root=$1 shown=$2 extra=${3:-} dir own file included theirs
  for dir in "${layers[@]}"; do
    [[ -d $root/$dir ]] || continue
    own=$(rank "$dir")
    while IFS= read -r file; do
      while IFS= read -r included; do
        [[ -n $extra && $included == "$extra" ]] && continue
        theirs=$(rank "$included")
        if (( theirs < 0 || theirs > own )); then
          echo "layer breach: $shown${file#"$root"/} includes \"$included/...\""
          breaches=$((breaches + 1))
        fi
      done < <(sed -n 's/^#include "\(\.\.\/\)*\([^/"]*\)\/.*/\2/p' "$file")
    done < <(find "$root/$dir" -name '*.cpp' -o -name '*.h')
  done
}
check_layers "$src" ""
[[ -n $tests ]] && check_layers "$tests" "tests/" support

# No two files of the shell reach into each other: a .h with its .cpp is one unit, and no unit
# includes one that includes it back.
while IFS= read -r pair; do
  echo "include cycle: $pair include each other"
  breaches=$((breaches + 1))
done < <(
  while IFS= read -r file; do
    unit=${file#"$src"/}
    unit=${unit%.*}
    sed -n 's/^#include "\([^"]*\)\.h".*/\1/p' "$file" | while IFS= read -r included; do
      if [[ $included != "$unit" ]]; then echo "$unit $included"; fi
    done
  done < <(find "$src/app" -name '*.cpp' -o -name '*.h') |
    sort -u | awk '{ edge[$1 " " $2] = 1 } END { for (e in edge) { split(e, u, " "); if (u[1] < u[2] && ((u[2] " " u[1]) in edge)) print u[1] " and " u[2] } }'
)

while IFS= read -r file; do
  lines=$(wc -l < "$file")
  if (( lines > 300 )); then
    echo "too long: ${file#"$src"/} has $lines lines (a window file stays within 300)"
    breaches=$((breaches + 1))
  fi
done < <(find "$src" \( -name '*window.cpp' -o -name '*panel.cpp' -o -name 'templateeditor.cpp' \))

if (( breaches > 0 )); then
  echo "$breaches breach(es) of the source layout"
  exit 1
fi
echo "source layout: every include follows the layers, none comes back; no window file over 300 lines"

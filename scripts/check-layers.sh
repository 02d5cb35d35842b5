#!/usr/bin/env bash
# Checks the source tree's shape: each folder includes only itself and the folders below it
# (core < ui < compose < browser < watch < app), and no window or panel file grows past 300 lines.
# Prints every breach and exits 1 when there is one.
set -euo pipefail
src=${1:-"$(dirname "$0")/../src"}
layers=(core ui compose browser watch app)
rank() {
  local i
  for i in "${!layers[@]}"; do [[ ${layers[$i]} == "$1" ]] && { echo "$i"; return; }; done
  echo -1
}

breaches=0
for dir in "${layers[@]}"; do
  own=$(rank "$dir")
  while IFS= read -r file; do
    while IFS= read -r included; do
      theirs=$(rank "$included")
      if (( theirs < 0 || theirs > own )); then
        echo "layer breach: ${file#"$src"/} includes \"$included/...\""
        breaches=$((breaches + 1))
      fi
    done < <(sed -n 's/^#include "\([^/"]*\)\/.*/\1/p' "$file")
  done < <(find "$src/$dir" -name '*.cpp' -o -name '*.h')
done

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
echo "source layout: every include follows the layers; no window file over 300 lines"

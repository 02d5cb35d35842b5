#!/usr/bin/env bash
# Runs every benchmark program of a build and prints its figures.
set -euo pipefail
build_dir=${1:-build}
shopt -s nullglob
status=0
for bench in "$build_dir"/bench/*/bench_*; do
  [[ -x "$bench" && -f "$bench" ]] || continue
  echo "== $(basename "$bench")"
  "$bench" || status=$?
done
for script in bench/*/*.sh; do
  echo "== $script"
  "$script" "$build_dir" || status=$?
done
exit $status

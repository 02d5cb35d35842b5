#!/usr/bin/env bash
# make clean: removes the build folder. A build folder that still keeps data files (a program
# started there before data moved to the per-user folder) hands them over first, so cleaning
# never takes the user's messages, logins or watched posts with it.
set -euo pipefail
build_dir=${1:-build}
data_dir=${XDG_DATA_HOME:-$HOME/.local/share}/Threadloom
data_files=(messages.txt posts.txt posts2.txt sizes.txt htmltemp.txt)

found=()
for name in "${data_files[@]}"; do
  [[ -f "$build_dir/$name" ]] && found+=("$name")
done
if ((${#found[@]} > 0)); then
  for name in "${found[@]}"; do
    if [[ -e "$data_dir/$name" ]]; then
      echo "$build_dir/ keeps data files (${found[*]}) and $data_dir/ has its own; move or remove the ones in $build_dir/ by hand, then make clean again" >&2
      exit 1
    fi
  done
  mkdir -p "$data_dir"
  for name in "${found[@]}"; do
    mv "$build_dir/$name" "$data_dir/$name"
  done
  echo "Moved your data files to $data_dir/: ${found[*]}"
fi
rm -rf "$build_dir"

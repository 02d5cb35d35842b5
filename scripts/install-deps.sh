#!/usr/bin/env bash
# Installs the Debian packages named in the given lists (default packages.txt) that are missing;
# does nothing when all are there.
set -euo pipefail
cd "$(dirname "$0")/.."
(($# > 0)) || set -- packages.txt

# Names that installed packages provide count as installed (a Node.js build that carries its own
# npm provides "npm" and conflicts with the separate package).
provided=" $(dpkg-query -W -f='${db:Status-Abbrev}|${Provides}\n' 2>/dev/null |
  sed -n 's/^ii *|//p' | tr ',' '\n' | sed 's/(.*)//; s/:.*//' | tr -s ' \n' ' ') "

missing=()
for list in "$@"; do
  while read -r pkg; do
    [[ -z "$pkg" || "$pkg" == \#* ]] && continue
    status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
    [[ "$status" == "install ok installed" || "$provided" == *" $pkg "* || " ${missing[*]} " == *" $pkg "* ]] ||
      missing+=("$pkg")
  done < "$list"
done

[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing missing packages: ${missing[*]}"
if [[ $(id -u) -eq 0 ]]; then
  sudo_cmd=()
else
  sudo_cmd=(sudo)
fi
"${sudo_cmd[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"

#!/usr/bin/env bash
# Installs a build into a scratch prefix and checks what lands there: the program, its help
# document where the installed program looks, the desktop entry, the icons, the metainfo, the
# manual page and the copyright file. The two validators run when their Debian packages
# (desktop-file-utils, appstream) are there. Given a PREFIX, installs there and leaves it in place.
# Usage: check-install.sh [BUILD_DIR [PREFIX]]
set -euo pipefail
build_dir=${1:-build}
if (($# > 1)); then
  prefix=$2
else
  prefix=$(mktemp -d)
  trap 'rm -rf "$prefix"' EXIT
fi
id=org.example.threadloom

cmake --install "$build_dir" --prefix "$prefix" >/dev/null
status=0
for path in bin/threadloom share/threadloom/Help.rtf share/applications/$id.desktop \
  share/metainfo/$id.metainfo.xml share/icons/hicolor/scalable/apps/$id.svg \
  share/icons/hicolor/48x48/apps/$id.png share/icons/hicolor/256x256/apps/$id.png \
  share/man/man1/threadloom.1.gz share/doc/threadloom/copyright share/doc/threadloom/changelog.gz; do
  if [[ -f "$prefix/$path" ]]; then echo "ok: $path"; else echo "FAIL: missing $path"; status=1; fi
done
[[ -x "$prefix/bin/threadloom" ]] || { echo "FAIL: bin/threadloom is not executable"; status=1; }
grep -qx "Icon=$id" "$prefix/share/applications/$id.desktop" || { echo "FAIL: desktop entry names another icon"; status=1; }
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/$id.desktop" && echo "ok: desktop-file-validate" || status=1
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >/dev/null && echo "ok: appstreamcli validate" || status=1
fi
exit $status

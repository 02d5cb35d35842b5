#!/usr/bin/env bash
# Builds the Debian package from a build as `make package` does and checks it: lintian finds no
# error and no warning, the package holds exactly what `make install` puts in place (installed
# into a scratch folder and checked by check-install.sh), and it depends on the parts the program
# loads as it runs as well as on the libraries it links.
# Usage: check-package.sh [BUILD_DIR]
set -euo pipefail
build_dir=$(cd "${1:-build}" && pwd)
scripts=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
fail() { echo "FAIL: $*"; status=1; }

(cd "$build_dir" && cpack -B "$work/cpack" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; exit 1; }
deb=$(echo "$work"/cpack/threadloom_*_*.deb)
[[ -f $deb ]] || { cat "$work/cpack.log"; echo "FAIL: cpack made no threadloom_VERSION_ARCH.deb"; exit 1; }
version=$(dpkg-deb -f "$deb" Version)
echo "ok: built $(basename "$deb")"

# lintian's informational tags are left (the README's "Debian package" says which and why).
if lintian --fail-on error,warning "$deb" 2>/dev/null >"$work/lintian"; then
  echo "ok: lintian"
else
  cat "$work/lintian"
  fail "lintian reports errors or warnings"
fi

if "$scripts/check-install.sh" "$build_dir" "$work/install" >"$work/install.log"; then
  echo "ok: check-install.sh"
else
  grep -v '^ok:' "$work/install.log"
  fail "check-install.sh"
fi
(cd "$work/install" && find . ! -type d | sed 's|^\.|/usr|' | sort) >"$work/installed"
dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sed 's|^\./|/|' | sort >"$work/packaged"
if diff -u "$work/installed" "$work/packaged" >"$work/files.diff"; then
  echo "ok: the package holds what make install puts in place ($(wc -l <"$work/packaged") files)"
else
  cat "$work/files.diff"
  fail "the package's files differ from make install's (- installed only, + packaged only)"
fi

# What it loads as it runs (Qt's own translations too), then some of what dpkg-shlibdeps finds it links.
depends=" $(dpkg-deb -f "$deb" Depends | sed 's/ *([^)]*)//g; s/,/ /g') "
missing=""
for package in libqt6webenginecore6-bin libqt6webengine6-data libsecret-1-0 qt6-translations-l10n \
  libqt6webenginewidgets6 libqt6keychain1 libqt6widgets6 libc6; do
  [[ $depends == *" $package "* ]] || missing+=" $package"
done
[[ -z $missing ]] && echo "ok: Depends" || fail "Depends lacks$missing: $depends"

dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/doc/threadloom/changelog.gz | gzip -d |
  head -1 | grep -q "^threadloom ($version) " || fail "the changelog's latest entry is not $version"
exit $status

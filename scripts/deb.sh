#!/usr/bin/env bash
# Builds the Debian package from a copy of the sources in build/deb, so that
# dpkg-buildpackage, which writes its results beside the source folder,
# leaves them there: build/deb/tarvo_<version>_<arch>.deb. Then lintian
# checks it and fails on an error.
set -euo pipefail
cd "$(dirname "$0")/.."

out=build/deb
# debhelper gives the build a HOME of its own; a ccache keeps the user's
# cache and settings, so that a second package build compiles little.
if command -v ccache >/dev/null; then
  CCACHE_DIR="${CCACHE_DIR:-$(ccache --get-config cache_dir)}"
  CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(ccache --get-config base_dir)}"
  export CCACHE_DIR CCACHE_BASEDIR
fi
rm -rf "$out"
mkdir -p "$out/tarvo"
tar --exclude=./build --exclude=./.git --exclude='./obj-*' --exclude='*/__pycache__' -cf - . | tar -xf - -C "$out/tarvo"
# The build's own output goes to a log, shown in part only when it fails.
log="$out/build.log"
if ! (cd "$out/tarvo" && dpkg-buildpackage -us -uc -b) >"$log" 2>&1; then
  tail -n 80 "$log"
  echo "The package build failed; its whole output is in $log." >&2
  exit 1
fi
lintian --fail-on error "$out"/tarvo_*.changes
ls "$out"/tarvo_*.deb

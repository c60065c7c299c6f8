#!/usr/bin/env bash
# Makes the Debian source and binary packages with Debian's own tools, as a
# distribution builds them: dpkg-buildpackage runs debian/rules (configure,
# build, the unit and offscreen window tests, install), then lintian checks
# the .dsc, the .changes and the .deb. The package is built from a copy of
# the tracked files in build-deb/veltrum-VERSION/, so that no build tree of
# this checkout lands in the source package; the results are in build-deb/.
#   package.sh                  source and binary packages
#   package.sh -b               the binary package only (any dpkg-buildpackage options)
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh --no-build >/dev/null
version=$(dpkg-parsechangelog -S Version)
out=build-deb
rm -rf "$out"
mkdir -p "$out/veltrum-$version"
if git rev-parse --git-dir >/dev/null 2>&1; then
  git ls-files -z --cached --others --exclude-standard | tar --null -T - -cf -
else
  tar --exclude=./.git --exclude='./build*' -cf - .
fi | tar -xf - -C "$out/veltrum-$version"
(cd "$out/veltrum-$version" && dpkg-buildpackage -us -uc -j"$(nproc)" "$@")
changes=$(ls "$out"/veltrum_"$version"_*.changes)
lintian --fail-on error,warning "$changes"
echo "lintian: no errors or warnings in $changes and its files:"
ls -1 "$out"/*.dsc "$out"/*.deb 2>/dev/null || true

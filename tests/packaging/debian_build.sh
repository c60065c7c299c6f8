#!/usr/bin/env bash
# debian_build.sh [--at DIR] [--from-dsc]: the Debian build as a distribution
# makes it, for a fresh root of a release (../shared/tools/fresh-debian.sh):
# installs only the Build-Depends (apt-get build-dep), builds the source and
# binary packages with dpkg-buildpackage in DIR/veltrum-VERSION, checks the
# .dsc, .changes and .deb with lintian (any error or warning fails), runs
# debian/tests with autopkgtest's null runner (which installs the .deb and
# the tests' dependencies into this root) and prints the packages' sha256.
# --from-dsc builds the source package first, unpacks it into DIR and builds
# the binary package from what was unpacked: what a rebuild from the archive
# does. DIR defaults to /root/debian-build; the results stay in DIR.
set -euo pipefail
cd "$(dirname "$0")/../.."
at=/root/debian-build from_dsc=
while [ $# -gt 0 ]; do
  case "$1" in
    --at) at=$2; shift 2 ;;
    --from-dsc) from_dsc=1; shift ;;
    *) echo "usage: $0 [--at DIR] [--from-dsc]"; exit 2 ;;
  esac
done
export DEBIAN_FRONTEND=noninteractive
stage() { printf '== %s (%s)\n' "$1" "$(date -u +%T)"; }

stage "Build-Depends"
apt-get update -qq
apt-get build-dep -y -qq --no-install-recommends ./ >/dev/null
version=$(dpkg-parsechangelog -S Version)
mkdir -p "$at"
tar --exclude=./.git --exclude='./build*' -cf - . | (mkdir "$at/veltrum-$version" && tar -xf - -C "$at/veltrum-$version")
cd "$at"
if [ -n "$from_dsc" ]; then
  stage "Source package, unpacked elsewhere"
  (cd "veltrum-$version" && dpkg-buildpackage -us -uc -S)
  mv "veltrum-$version" tree
  dpkg-source -x "veltrum_$version.dsc" "veltrum-$version"
  stage "Binary package from the unpacked source package"
  (cd "veltrum-$version" && nice -n 15 dpkg-buildpackage -us -uc -b -j2)
else
  stage "Source and binary packages"
  (cd "veltrum-$version" && nice -n 15 dpkg-buildpackage -us -uc -j2)
fi

stage "lintian"
apt-get install -y -qq --no-install-recommends lintian >/dev/null
lintian --fail-on error,warning --display-info --pedantic --suppress-tags very-long-line-length-in-source-file \
  ./*.dsc ./*.changes ./*.deb
echo "lintian: no errors or warnings"

stage "autopkgtest (null runner)"
apt-get install -y -qq --no-install-recommends autopkgtest >/dev/null
autopkgtest ./veltrum_"$version".dsc ./veltrum_"$version"_amd64.deb -- null

stage "Packages"
sha256sum ./*.deb

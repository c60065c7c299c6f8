#!/bin/sh
# check_deb.sh BUILD_DIR: builds the Debian package, checks it with lintian
# (any error or warning fails), unpacks it into a throwaway root and runs the
# installed veltrum-cli.
set -eu
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/out/*.deb)
echo "package: $(basename "$deb")"
dpkg-deb -f "$deb" Depends
dpkg-deb -f "$deb" Depends | grep -q 'libc6' || { echo "no library dependencies"; exit 1; }
dpkg-deb -f "$deb" Depends | grep -q 'fonts-dejavu-core' || { echo "no dependency on the fonts"; exit 1; }
command -v lintian >/dev/null || { echo "lintian is not installed"; exit 1; }
# Errors and warnings; informational tags and overrides do not count.
lintian --fail-on error,warning "$deb" || { echo "lintian rejects the package"; exit 1; }
echo "lintian: no errors or warnings"
dpkg -x "$deb" "$work/root"
for f in usr/bin/veltrum usr/bin/veltrum-cli \
         usr/share/man/man1/veltrum.1.gz usr/share/man/man1/veltrum-cli.1.gz \
         usr/share/doc/veltrum/copyright usr/share/doc/veltrum/changelog.gz \
         usr/share/applications/org.veltrum.Veltrum.desktop \
         usr/share/metainfo/org.veltrum.Veltrum.metainfo.xml \
         usr/share/icons/hicolor/scalable/apps/org.veltrum.Veltrum.svg; do
  [ -e "$work/root/$f" ] || { echo "missing $f"; exit 1; }
done
out=$("$work/root/usr/bin/veltrum-cli" keys '2+2=')
[ "$out" = "4" ] || { echo "installed veltrum-cli printed '$out'"; exit 1; }
echo "installed veltrum-cli keys '2+2=' prints $out"

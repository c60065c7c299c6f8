#!/bin/sh
# check_deb.sh BUILD_DIR: builds the Debian package, unpacks it into a
# throwaway root and runs the installed veltrum-cli.
set -eu
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/out/*.deb)
echo "package: $(basename "$deb")"
dpkg-deb -f "$deb" Depends
dpkg-deb -f "$deb" Depends | grep -q 'libc6' || { echo "no library dependencies"; exit 1; }
dpkg -x "$deb" "$work/root"
for f in usr/bin/veltrum-cli usr/share/man/man1/veltrum-cli.1 \
         usr/share/applications/org.veltrum.Veltrum.desktop \
         usr/share/metainfo/org.veltrum.Veltrum.metainfo.xml \
         usr/share/icons/hicolor/scalable/apps/org.veltrum.Veltrum.svg; do
  [ -e "$work/root/$f" ] || { echo "missing $f"; exit 1; }
done
out=$("$work/root/usr/bin/veltrum-cli" keys '2+2=')
[ "$out" = "4" ] || { echo "installed veltrum-cli printed '$out'"; exit 1; }
echo "installed veltrum-cli keys '2+2=' prints $out"

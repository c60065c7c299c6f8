#!/bin/sh
# check_deb.sh SOURCE_DIR BUILD_DIR: makes the Debian package from debian/
# with debhelper, from the tree this suite already built (dpkg-buildpackage
# would configure, build and test everything again: that proof runs in
# fresh roots, see the README). dh itself names the steps of its binary
# sequence; only its install step is replaced, by installing BUILD_DIR under
# /usr. Then lintian checks the source package and the .deb (any error or
# warning fails), and the .deb is unpacked into a throwaway root where the
# installed veltrum-cli runs.
set -eu
source_dir=$(cd "$1" && pwd)
build=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "$*"; exit 1; }

version=$(dpkg-parsechangelog -l "$source_dir/debian/changelog" -S Version)
project=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ "$version" = "$project" ] || fail "debian/changelog is at $version, CMakeLists.txt at $project"

# The source package from the tracked files (or the whole tree outside git).
src=$work/veltrum-$version
mkdir "$src"
if git -C "$source_dir" rev-parse --git-dir >/dev/null 2>&1; then
  (cd "$source_dir" && git ls-files -z --cached --others --exclude-standard | tar --null -T - -cf -) | tar -xf - -C "$src"
else
  (cd "$source_dir" && tar --exclude='./build*' -cf - .) | tar -xf - -C "$src"
fi
(cd "$work" && dpkg-source -b "veltrum-$version" >"$work/source.log" 2>&1) || { cat "$work/source.log"; fail "dpkg-source cannot build the source package"; }

# The steps after the build part of the sequence (which ends by creating
# its stamp). No debug symbols package: dh_strip still strips.
export DEB_BUILD_OPTIONS="${DEB_BUILD_OPTIONS:+$DEB_BUILD_OPTIONS }noautodbgsym"
steps=$(cd "$src" && dh binary-arch --no-act | sed '1,/create-stamp/d') || fail "dh cannot read debian/rules"
echo "$steps" | grep -q '^ *dh_auto_install' && echo "$steps" | grep -q '^ *dh_builddeb' \
  || fail "dh's binary sequence is not install ... dh_builddeb: $steps"
echo "$steps" | while read -r step; do
  case "$step" in
    dh_auto_install*)
      DESTDIR="$src/debian/veltrum" cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1 \
        || { cat "$work/install.log"; exit 1; } ;;
    *) (cd "$src" && eval "$step") || { echo "$step failed"; exit 1; } ;;
  esac
done || fail "the binary sequence failed"
deb=$(ls "$work"/veltrum_*.deb)
echo "package: $(basename "$deb")"
dpkg-deb -f "$deb" Depends
dpkg-deb -f "$deb" Depends | grep -q 'libc6' || fail "no library dependencies"
dpkg-deb -f "$deb" Depends | grep -q 'fonts-dejavu-core' || fail "no dependency on the fonts"
command -v lintian >/dev/null || fail "lintian is not installed"
# Errors and warnings; informational tags do not count.
lintian --fail-on error,warning "$work/veltrum_$version.dsc" "$deb" || fail "lintian rejects the package"
echo "lintian: no errors or warnings"

dpkg -x "$deb" "$work/root"
for f in usr/bin/veltrum usr/bin/veltrum-cli \
         usr/share/man/man1/veltrum.1.gz usr/share/man/man1/veltrum-cli.1.gz \
         usr/share/doc/veltrum/copyright usr/share/doc/veltrum/changelog.gz \
         usr/share/applications/org.veltrum.Veltrum.desktop \
         usr/share/metainfo/org.veltrum.Veltrum.metainfo.xml \
         usr/share/icons/hicolor/scalable/apps/org.veltrum.Veltrum.svg \
         usr/share/icons/hicolor/48x48/apps/org.veltrum.Veltrum.png; do
  [ -e "$work/root/$f" ] || fail "missing $f"
done
out=$("$work/root/usr/bin/veltrum-cli" keys '2+2=')
[ "$out" = "4" ] || fail "installed veltrum-cli printed '$out'"
echo "installed veltrum-cli keys '2+2=' prints $out"

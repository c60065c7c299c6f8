#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need
# (skipping those already present), then configures and builds into build/.
#   setup.sh              builds everything
#   setup.sh TARGET...    builds only those targets (start.sh: veltrum)
#   setup.sh --no-build   only installs the packages
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-svg-dev libgl-dev qt6-translations-l10n
  libqcustomplot-dev
  fonts-liberation fonts-liberation2 fonts-dejavu-core
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth
  xdotool xclip x11-xkb-utils openbox wmctrl imagemagick
  dbus at-spi2-core python3 python3-pyatspi
  dpkg-dev file lintian appstream
  clang clang-tidy clang-format libclang-rt-dev
)
# The one package name that differs between the supported releases: Debian 13
# moved Liberation Sans Narrow (the face standing in for "Arial Narrow") out of
# fonts-liberation into a package of its own; Debian 12's fonts-liberation
# still has it (releases after 13, and testing, keep the new name).
. /etc/os-release
case "${VERSION_ID:-}" in
  12) ;;
  *) PACKAGES+=(fonts-liberation-sans-narrow) ;;
esac

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  apt-get install -y --no-install-recommends "${missing[@]}"
fi

[ "${1:-}" = "--no-build" ] && exit 0
targets=()
for t in "$@"; do targets+=(--target "$t"); done
BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo}
# A new tree builds with Ninja; one configured before keeps its generator.
generator=()
[ -f build/CMakeCache.txt ] || generator=(-G Ninja)
cmake -S . -B build "${generator[@]}" -DCMAKE_BUILD_TYPE="$BUILD_TYPE"
cmake --build build -j "$(nproc)" "${targets[@]}"

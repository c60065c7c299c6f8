#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need
# (skipping those already present), then configures and builds into build/.
#   setup.sh              builds everything
#   setup.sh TARGET...    builds only those targets (start.sh: veltrum)
#   setup.sh --no-build   only installs the packages
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(
  build-essential cmake pkg-config
  qt6-base-dev libqt6svg6-dev libgl-dev qt6-translations-l10n
  libqcustomplot-dev
  fonts-liberation fonts-liberation2 fonts-dejavu-core
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth
  xdotool xclip x11-xkb-utils openbox wmctrl imagemagick
  dbus at-spi2-core python3 python3-pyatspi
  dpkg-dev file lintian appstream
  clang clang-tidy clang-format libclang-rt-14-dev
)

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
cmake -S . -B build -DCMAKE_BUILD_TYPE="$BUILD_TYPE"
cmake --build build -j "$(nproc)" "${targets[@]}"

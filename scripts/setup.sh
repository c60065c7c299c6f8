#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need
# (skipping those already present), then configures and builds into build/.
#   setup.sh              builds everything
#   setup.sh TARGET...    builds only those targets (start.sh: veltrum)
#   setup.sh --no-build   only installs the packages
set -euo pipefail
cd "$(dirname "$0")/.."

# What the build needs is listed once, in debian/control's Build-Depends
# (installed with "apt-get build-dep ./"; dpkg-checkbuilddeps tells whether
# it is all there). The packages below are what the test command, the
# benchmarks and the package check need besides.
PACKAGES=(
  build-essential libbenchmark-dev
  xvfb xauth
  xdotool xclip x11-xkb-utils x11-utils openbox wmctrl imagemagick
  mutter xwayland qt6-wayland
  dbus at-spi2-core python3 python3-pyatspi
  dpkg-dev file lintian appstream
  clang clang-tidy clang-format libclang-rt-dev
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
build_deps=ok
command -v dpkg-checkbuilddeps >/dev/null && dpkg-checkbuilddeps >/dev/null 2>&1 || build_deps=missing
if [ "${#missing[@]}" -gt 0 ] || [ "$build_deps" = missing ]; then
  wanted=("${missing[@]}")
  [ "$build_deps" = ok ] || wanted+=("(the Build-Depends of debian/control)")
  echo "Installing: ${wanted[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  [ "${#missing[@]}" -eq 0 ] || apt-get install -y --no-install-recommends "${missing[@]}"
  [ "$build_deps" = ok ] || apt-get build-dep -y --no-install-recommends ./
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

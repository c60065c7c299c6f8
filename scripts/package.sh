#!/usr/bin/env bash
# Sets everything up, builds a release tree (build-release/) and makes the
# Debian package veltrum_2.0.0.0_amd64.deb in it.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh --no-build >/dev/null
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DVELTRUM_TESTS=OFF -DVELTRUM_BENCH=OFF >/dev/null
cmake --build build-release -j "$(nproc)"
(cd build-release && cpack -G DEB)
ls -1 build-release/*.deb

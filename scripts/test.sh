#!/usr/bin/env bash
# Sets everything up (packages, configure, build) and runs the whole test
# suite; window tests run offscreen.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
cd build
ctest --output-on-failure -j "$(nproc)"

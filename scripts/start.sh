#!/usr/bin/env bash
# Sets everything up (packages, configure, build) and starts the calculator.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "veltrum: no display available: the calculator window needs a graphical session (set DISPLAY or run under Xvfb)" >&2
  exit 1
fi
exec ./build/app/veltrum "$@"

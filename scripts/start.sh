#!/usr/bin/env bash
# Sets everything up (packages, configure) and builds only the program, then
# starts the calculator; the tests are built by test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh veltrum
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "veltrum: no display available: the calculator window needs a graphical session (set DISPLAY or run under Xvfb)" >&2
  exit 1
fi
exec ./build/app/veltrum "$@"

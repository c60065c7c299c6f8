#!/usr/bin/env bash
# Runs one end-to-end scenario: the real program on its own X server,
# session bus and accessibility bus.   run_e2e.sh PROGRAM SCENARIO
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
# A runtime folder of its own: the accessibility bus puts its socket there,
# so scenarios running side by side never meet.
XDG_RUNTIME_DIR="$(mktemp -d /tmp/veltrum-e2e.XXXXXX)"
export XDG_RUNTIME_DIR
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
dbus-run-session -- /usr/bin/python3 "$here/e2e.py" "$1" "$2" \
  2> >(grep -v -e 'dbus-daemon' -e 'SpiRegistry' >&2)

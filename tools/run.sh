#!/usr/bin/env bash
# Installs what is missing, builds, and starts Orvane.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting Orvane on a virtual X server (Xvfb)." >&2
  exec xvfb-run -a ./build/orvane
fi
exec ./build/orvane

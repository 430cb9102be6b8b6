#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (GUI tests offscreen).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "${ORVANE_BUILD_DIR:-build}" --output-on-failure --parallel "$(nproc)"

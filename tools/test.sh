#!/usr/bin/env bash
# Installs what is missing, builds, runs every test (GUI tests offscreen), and
# checks the installed files and the Debian package.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
export QT_QPA_PLATFORM=offscreen
if [ "${ORVANE_SANITIZE:-0}" = "1" ]; then
  export LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
fi
ctest --test-dir "${ORVANE_BUILD_DIR:-build}" --output-on-failure --parallel "$(nproc)"
# The installed files and the Debian package, once, from the plain build.
if [ "${ORVANE_SANITIZE:-0}" != "1" ]; then
  bash tools/check_install.sh "${ORVANE_BUILD_DIR:-build}"
fi

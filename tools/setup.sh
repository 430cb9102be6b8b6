#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need (only the missing
# ones, without a prompt), then configures and builds into ./build (or
# $ORVANE_BUILD_DIR). Safe to run again. ORVANE_SANITIZE=1 builds with
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(build-essential cmake ninja-build pkg-config qt6-base-dev qt6-svg-dev
          libgtest-dev libgmock-dev libbenchmark-dev libmpfr-dev libgmp-dev
          fonts-dejavu-core xvfb xauth xdotool locales
          qt6-tools-dev qt6-l10n-tools
          desktop-file-utils appstream dpkg-dev file groff-base
          clang-format lintian)
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# A locale with a decimal comma, for the tests that the number texts do not
# follow the C locale.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  echo "Generating the de_DE.UTF-8 locale"
  if grep -q '^[# ]*de_DE\.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    "${sudo_cmd[@]}" sed -i 's/^[# ]*de_DE\.UTF-8 UTF-8.*/de_DE.UTF-8 UTF-8/' /etc/locale.gen
  else
    echo 'de_DE.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
  fi
  "${sudo_cmd[@]}" locale-gen >/dev/null
fi

build_dir="${ORVANE_BUILD_DIR:-build}"
sanitize=OFF
[ "${ORVANE_SANITIZE:-0}" = "1" ] && sanitize=ON
cmake -S . -B "$build_dir" -G Ninja -DORVANE_SANITIZE="$sanitize" >/dev/null
cmake --build "$build_dir" --parallel "$(nproc)"

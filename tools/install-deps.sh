#!/usr/bin/env bash
# Installs the Debian 12 packages the build needs, when any is missing.
set -euo pipefail
packages=(g++ clang cmake ninja-build pkg-config qt6-base-dev qt6-serialport-dev
          libgtest-dev libgmock-dev libbenchmark-dev clang-format libgl-dev zlib1g-dev
          libcli11-dev desktop-file-utils appstream dpkg-dev)
if [[ "${TAVO_WITH_X:-0}" == 1 ]]; then packages+=(xvfb xauth); fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

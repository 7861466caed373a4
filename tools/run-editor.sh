#!/usr/bin/env bash
# Builds the editor and starts it on the bundled installation (data/) with
# the demo project. The installation is copied once into the per-user data
# folder, so running never touches the checked-out files.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVO_BUILD_TESTS=OFF -DTAVO_BUILD_BENCH=OFF
cmake --build build/release --target tavodex tavodex-cli
if [[ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
  echo "No display found: starting on Xvfb (:99)." >&2
  TAVO_WITH_X=1 bash tools/install-deps.sh
  Xvfb :99 -screen 0 1600x1000x24 >/dev/null 2>&1 &
  export DISPLAY=:99
  sleep 1
fi
exec build/release/src/app/tavodex "$@" "Projects/Demo.qvx"

#!/usr/bin/env bash
# Installs what is missing, configures once and builds everything into build/ (TULMO_BUILD_DIR
# overrides it; TULMO_JOBS limits the parallel jobs).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
build=${TULMO_BUILD_DIR:-$root/build}
[ -f "$build/build.ninja" ] || cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j "${TULMO_JOBS:-$(nproc)}"

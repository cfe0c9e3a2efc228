#!/usr/bin/env bash
# Installs what is missing, configures once and builds everything into build/ (TULMO_BUILD_DIR
# overrides it; TULMO_JOBS limits the parallel jobs; TULMO_CMAKE_ARGS adds options to the first
# configure, such as -DTULMO_SANITIZE=ON).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
build=${TULMO_BUILD_DIR:-$root/build}
read -r -a extra <<< "${TULMO_CMAKE_ARGS:-}"
[ -f "$build/build.ninja" ] || cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${extra[@]}"
cmake --build "$build" -j "${TULMO_JOBS:-$(nproc)}"

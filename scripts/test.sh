#!/usr/bin/env bash
# Builds everything and runs the whole test suite through CTest.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh"
build=${TULMO_BUILD_DIR:-$root/build}
cd "$build"
ctest --output-on-failure -j "${TULMO_JOBS:-$(nproc)}" --timeout 600

#!/usr/bin/env bash
# Rewrites the kept engine input and grid files under tests/modelrun/golden/ from the current
# build. Only after a deliberate change of what a calculation writes: check the changed lines
# with `git diff` (binary files with cmp -l) before committing them. CI never runs this.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TULMO_BUILD_DIR:-$root/build}
cmake --build "$build" --target test_modelrun
cd "$build"
TULMO_UPDATE_GOLDEN=1 ctest -R '^GoldenFiles\.' --output-on-failure
git -C "$root" status --short tests/modelrun/golden

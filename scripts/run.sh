#!/usr/bin/env bash
# Builds and starts the application in a working folder that holds the scenario database.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh"
build=${TULMO_BUILD_DIR:-$root/build}
work=${TULMO_WORK_DIR:-$HOME/tulmo-work}
mkdir -p "$work"
# A user's database is never overwritten: the delivered one is copied only when none is there.
[ -f "$work/tulmo-final.db" ] || cp "$build/bin/tulmo-final.db" "$work/tulmo-final.db"
cd "$work"
exec "$build/bin/ui-tulmo"

#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need; skips those already present.
set -euo pipefail
# libqt6opengl6-dev: Qt Charts' CMake package requires Qt's OpenGL modules, which Debian 12 ships
# there and which qt6-charts-dev does not pull in. qt6-base-private-dev: the tests queue input as
# the window system does, through Qt's platform interface.
packages=(g++ cmake ninja-build qt6-base-dev qt6-base-private-dev qt6-charts-dev libqt6opengl6-dev libsqlite3-dev
          sqlite3 libshp-dev libgtest-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
# A bare machine has no package lists yet; refresh them once.
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"

#!/usr/bin/env bash
# Installs what the game needs to build and run on Debian 12 (as root), then
# configures and builds it in Release: build/game/ holds the executable and its assets.
# SETUP_EXTRA_PACKAGES names further packages to install (the test script's fuzzing tools).
set -euo pipefail
cd "$(dirname "$0")/.."
PACKAGES="g++ cmake pkg-config libsfml-dev libimgui-dev libstb-dev xvfb xauth libgl-dev libgl1-mesa-dri \
libgtest-dev libbenchmark-dev fonts-dejavu-core fonts-dejavu-extra fonts-3270"
missing=""
PACKAGES="$PACKAGES ${SETUP_EXTRA_PACKAGES:-}"
for p in $PACKAGES; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends $missing
fi
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$(nproc)"

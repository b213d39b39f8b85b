#!/usr/bin/env bash
# Installs what Orbyndel needs on Debian 12 (as root), then configures and builds it in
# Release: build/game/ holds the executable and its assets.
#   bash scripts/setup.sh play   the game and its asset tree only
#   bash scripts/setup.sh test   also the tests and benchmarks, warnings as errors
# JOBS sets the build's parallelism (default: every core).
set -euo pipefail
cd "$(dirname "$0")/.."
mode="${1:-play}"

# What building and playing the game needs.
PLAY_PACKAGES=(
  make
  g++
  cmake
  pkg-config
  libsfml-dev
  libimgui-dev
  libsdl2-dev
  libstb-dev
  libgl-dev
  libgl1-mesa-dri
  fonts-dejavu-core
  fonts-dejavu-extra
  fonts-3270
)
# What the tests and benchmarks add.
TEST_PACKAGES=(
  libgtest-dev
  libgmock-dev
  libbenchmark-dev
  xvfb
  xauth
  clang
  libclang-rt-14-dev
  libomp-dev
)

case "$mode" in
  play) packages=("${PLAY_PACKAGES[@]}"); build_options=(-DBUILD_TESTING=OFF -DORBYNDEL_WERROR=OFF) ;;
  test) packages=("${PLAY_PACKAGES[@]}" "${TEST_PACKAGES[@]}"); build_options=(-DBUILD_TESTING=ON -DORBYNDEL_WERROR=ON) ;;
  *) echo "usage: $0 [play|test]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" "${build_options[@]}"
cmake --build build -j"${JOBS:-$(nproc)}"

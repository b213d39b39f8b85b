#!/usr/bin/env bash
# Sets up, builds and starts the game. With ORBYNDEL_BUILD_ONLY=1 it stops after the build.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh play
if [ "${ORBYNDEL_BUILD_ONLY:-0}" = 1 ]; then exit 0; fi
cd build/game
exec ./orbyndel

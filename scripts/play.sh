#!/usr/bin/env bash
# Sets up, builds and starts the game.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cd build/game
exec ./orbyndel

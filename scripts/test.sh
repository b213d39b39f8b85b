#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite; window tests run under a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
export ALSOFT_DRIVERS=null
xvfb-run -a -s "-screen 0 1920x1080x24" ctest --test-dir build --output-on-failure -j"$(nproc)" --timeout 600

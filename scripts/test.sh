#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite; window tests run under a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."
# clang (with libFuzzer) and its OpenMP build the fuzz targets of the last stage.
SETUP_EXTRA_PACKAGES="clang libomp-dev" bash scripts/setup.sh
export ALSOFT_DRIVERS=null
xvfb-run -a -s "-screen 0 1920x1080x24" ctest --test-dir build --output-on-failure -j"$(nproc)" --timeout 600

# ---- fuzzing stage: every parser's libFuzzer target, FUZZ_SECONDS (12) each, on
# top of the regression corpus in fuzz/corpus/ (clang build in build-fuzz/);
# the ten runs take about two and a half minutes ----
fuzz_started=$(date +%s)
FUZZ_BUILD_JOBS="$(nproc)" xvfb-run -a -s "-screen 0 640x480x24" bash scripts/fuzz.sh "${FUZZ_SECONDS:-12}"
echo "fuzz stage: $(( $(date +%s) - fuzz_started )) s"

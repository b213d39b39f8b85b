#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite; window tests run under a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
export ALSOFT_DRIVERS=null
xvfb-run -a -s "-screen 0 1920x1080x24" ctest --test-dir build --output-on-failure -j"$(nproc)" --timeout 600

# ---- fuzzing stage: every parser's libFuzzer target, FUZZ_SECONDS (15) each, on
# top of the regression corpus in fuzz/corpus/ (clang build in build-fuzz/) ----
FUZZ_PACKAGES="clang libomp-dev"
fuzz_missing=""
for p in $FUZZ_PACKAGES; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || fuzz_missing="$fuzz_missing $p"
done
if [ -n "$fuzz_missing" ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends $fuzz_missing
fi
fuzz_started=$(date +%s)
FUZZ_BUILD_JOBS="$(nproc)" xvfb-run -a -s "-screen 0 640x480x24" bash scripts/fuzz.sh "${FUZZ_SECONDS:-15}"
echo "fuzz stage: $(( $(date +%s) - fuzz_started )) s"

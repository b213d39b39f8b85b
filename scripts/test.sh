#!/usr/bin/env bash
# Sets up and builds everything with warnings as errors, runs the whole test suite (window
# tests under a virtual X server), then builds the game library and its logic tests with
# AddressSanitizer and UndefinedBehaviorSanitizer and runs them again. Each stage prints its
# time. JOBS sets the parallelism (default: every core).
set -euo pipefail
cd "$(dirname "$0")/.."
export JOBS="${JOBS:-$(nproc)}"
export ALSOFT_DRIVERS=null

# Runs a stage and prints how long it took, failed or not.
stage() {
  local name="$1" start=$SECONDS status=0
  shift
  echo "==== $name"
  "$@" || status=$?
  echo "==== $name: $((SECONDS - start)) s$([ $status = 0 ] || echo ", FAILED ($status)")"
  return $status
}

suite() {
  xvfb-run -a -s "-screen 0 1920x1080x24" \
    ctest --test-dir build --output-on-failure -j"$JOBS" --timeout 600
}

# Release with debug lines, so that the reports point at lines.
sanitizer_build() {
  local launcher=()
  if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
  cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" \
    -DBUILD_TESTING=ON -DORBYNDEL_SANITIZE=ON -DORBYNDEL_WERROR=ON
  cmake --build build-sanitize -j"$JOBS" --target orbyndel_tests
}

sanitized_logic_tests() {
  UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir build-sanitize --output-on-failure -j"$JOBS" --timeout 600
}

total=$SECONDS
stage "set-up and build (warnings are errors)" bash scripts/setup.sh test
stage "test suite" suite
stage "sanitizer build (ASan + UBSan)" sanitizer_build
stage "logic tests under ASan + UBSan (leaks checked)" sanitized_logic_tests
echo "==== all stages passed in $((SECONDS - total)) s"

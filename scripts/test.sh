#!/usr/bin/env bash
# Sets up and builds everything with warnings as errors, runs the whole test suite (window
# tests under a virtual X server) while it builds the game library and its logic tests with
# AddressSanitizer and UndefinedBehaviorSanitizer, then runs those. Each stage prints its
# time; the command fails when any stage does. JOBS sets the parallelism (default: every core).
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
  xvfb-run -a -s "-screen 0 2560x1440x24" \
    ctest --test-dir build --output-on-failure -j"$JOBS" --timeout 600
}

# Release, with debug lines (the sanitizer flags add them) so that reports point at lines.
sanitizer_build() {
  local launcher=()
  if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
  cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" \
    -DBUILD_TESTING=ON -DORBYNDEL_SANITIZE=ON -DORBYNDEL_WERROR=ON &&
    cmake --build build-sanitize -j"$JOBS" --target orbyndel_tests
}

# Every data parser's libFuzzer target (clang build in build-fuzz/), FUZZ_SECONDS (12) each,
# on top of the regression corpus in fuzz/corpus/.
fuzz_build() {
  FUZZ_BUILD_ONLY=1 FUZZ_BUILD_JOBS="$JOBS" bash scripts/fuzz.sh
}
fuzz_runs() {
  FUZZ_NO_BUILD=1 bash scripts/fuzz.sh "${FUZZ_SECONDS:-12}"
}

sanitized_logic_tests() {
  UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir build-sanitize --output-on-failure -j"$JOBS" --timeout 600
}

total=$SECONDS
stage "set-up and build (warnings are errors)" bash scripts/setup.sh test

# The sanitizer build goes on at low priority while the suite runs (its longest tests leave
# most cores idle); its output follows the suite's.
mkdir -p build-sanitize
(renice -n 10 "$BASHPID" >/dev/null; stage "sanitizer build (ASan + UBSan, beside the suite)" sanitizer_build) \
  > build-sanitize/build.log 2>&1 &
sanitizer_build_pid=$!
(renice -n 10 "$BASHPID" >/dev/null; stage "fuzz build (clang, beside the suite)" fuzz_build) > build-sanitize/fuzz-build.log 2>&1 &
fuzz_build_pid=$!
failed=()
stage "test suite" suite || failed+=("test suite")
wait "$sanitizer_build_pid" && sanitizer_built=1 || { sanitizer_built=0; failed+=("sanitizer build"); }
cat build-sanitize/build.log
if [ $sanitizer_built = 1 ]; then
  stage "logic tests under ASan + UBSan (leaks checked)" sanitized_logic_tests || failed+=("sanitized logic tests")
fi

wait "$fuzz_build_pid" && fuzz_built=1 || { fuzz_built=0; failed+=("fuzz build"); }
cat build-sanitize/fuzz-build.log
if [ $fuzz_built = 1 ]; then
  stage "fuzzing every data parser" fuzz_runs || failed+=("fuzzing")
fi

if [ ${#failed[@]} -gt 0 ]; then
  echo "==== FAILED after $((SECONDS - total)) s: ${failed[*]}"
  exit 1
fi
echo "==== all stages passed in $((SECONDS - total)) s"

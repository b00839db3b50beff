#!/usr/bin/env bash
# Builds everything and runs all tests: first a plain build, then one under AddressSanitizer and
# UndefinedBehaviorSanitizer. Set ZYMORAX_SKIP_SANITIZERS=1 to run only the plain build.
set -euo pipefail
cd "$(dirname "$0")/.."

# The tests of the generated MATLAB code run it under Octave, which only they need.
./scripts/bootstrap.sh --with-octave

run_suite() {
  local dir=$1
  shift
  cmake -S . -B "$dir" "$@" >/dev/null
  cmake --build "$dir" -j "$(nproc)"
  (cd "$dir" && ctest --output-on-failure -j "$(nproc)")
}

run_suite build -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [ "${ZYMORAX_SKIP_SANITIZERS:-0}" != 1 ]; then
  run_suite build-sanitize -DCMAKE_BUILD_TYPE=Debug -DZYMORAX_SANITIZE=ON
fi
echo "All tests passed."

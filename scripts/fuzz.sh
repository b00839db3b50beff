#!/usr/bin/env bash
# Builds the fuzz harnesses of fuzz/ with clang (libFuzzer, AddressSanitizer, UBSan) and runs
# each for a bounded time. Not part of the test run.
#
#   scripts/fuzz.sh [SECONDS_PER_HARNESS] [HARNESS...]   (default 60 s, every harness)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
"$root/scripts/bootstrap.sh" --with-fuzz

build=$root/build-fuzz
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DZYMORAX_SANITIZE=ON \
  -DZYMORAX_FUZZ=ON -DZYMORAX_TESTS=OFF >/dev/null
harnesses=("$@")
if [ ${#harnesses[@]} -eq 0 ]; then
  for source in "$root"/fuzz/*_fuzz.cpp; do
    harnesses+=("$(basename "$source" .cpp)")
  done
fi
cmake --build "$build" -j "$(nproc)" --target "${harnesses[@]}"

status=0
for harness in "${harnesses[@]}"; do
  findings=$build/fuzz-findings/$harness corpus=$build/fuzz-corpus/$harness
  mkdir -p "$findings" "$corpus"
  echo "== $harness: $seconds s"
  if ! "$build/fuzz/$harness" -max_total_time="$seconds" -artifact_prefix="$findings/" \
      "$corpus" "$root/fuzz/seeds/$harness" >"$build/fuzz-$harness.log" 2>&1; then
    echo "$harness: a finding; see $build/fuzz-$harness.log and $findings/" >&2
    status=1
  fi
done
exit $status

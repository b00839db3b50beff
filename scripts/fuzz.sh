#!/usr/bin/env bash
# Builds the fuzz harnesses of fuzz/ with clang (libFuzzer, AddressSanitizer, UBSan) and runs
# each for a bounded time; the script fuzzers (fuzz/*_fuzz.py) run the sanitized programs of the
# same build. Not part of the test run.
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
candidates=("$@")
if [ ${#candidates[@]} -eq 0 ]; then
  candidates=("$root"/fuzz/*_fuzz.cpp "$root"/fuzz/*_fuzz.py)  # a pattern without match stays as is
fi
harnesses=()
for harness in "${candidates[@]}"; do
  name=$(basename "$harness")
  name=${name%.*}
  if [ -e "$root/fuzz/$name.py" ]; then
    harnesses+=("$name.py")
  elif [ -e "$root/fuzz/$name.cpp" ]; then
    harnesses+=("$name")
  fi
done
targets=()
for harness in "${harnesses[@]}"; do
  case "$harness" in
    *.py) targets+=(rxnconv) ;;
    *) targets+=("$harness") ;;
  esac
done
cmake --build "$build" -j "$(nproc)" --target "${targets[@]}"

status=0
for harness in "${harnesses[@]}"; do
  if [[ "$harness" == *.py ]]; then
    name=${harness%.py}
    echo "== $name: $seconds s"
    if ! python3 "$root/fuzz/$harness" "$build" "$seconds" "$build/fuzz-findings/$name" \
        >"$build/fuzz-$name.log" 2>&1; then
      echo "$name: a finding; see $build/fuzz-$name.log and $build/fuzz-findings/$name/" >&2
      status=1
    fi
    continue
  fi
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

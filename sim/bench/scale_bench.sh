#!/usr/bin/env bash
# Benchmark (not a test): the chain from SBML to a time course on large mass-action networks,
# per program, with wall time and peak memory (/usr/bin/time):
#   - enzyme chains of 1,000, 10,000 and 100,000 species (make_network.py),
#   - a combinatorial receptor network of 1,227 species (make_bcr_network.py), and with "bcr4" the
#     same with a fourth site (4,755 species, 104,436 one-way reactions),
# converted with CMA, generated as C with the sparse Jacobian (symcode -J) and simulated by kinesim
# to t = 1000 (TinyCC, KLU). "kinesim compile" is a run to t = 1e-9 (reading, compiling, set-up);
# "integrate" is the full run less that.
#   sim/bench/scale_bench.sh [BUILD_DIR] [SIZES...]   (default: build; 1000 10000 100000 bcr)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(realpath "${1:-$root/build}")
shift || true
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(1000 10000 100000 bcr)
bin=$build/bin
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export TELUV_HOME=$build XERCES_HOME=$build ZYMORAX_SYSLOG=$work/system.log

measure() {  # measure <label> <command...>: runs it; sets seconds and megabytes
  local label=$1
  shift
  if ! /usr/bin/time -f "%e %M" -o "$work/time" "$@" >/dev/null 2>"$work/stderr"; then
    echo "$label failed: $*" >&2
    cat "$work/stderr" "$work/system.log" >&2
    exit 1
  fi
  read -r seconds kilobytes <"$work/time"
  megabytes=$((kilobytes / 1024))
}

row() {  # row <network> <species> <label> <seconds> <MB>
  printf '%-10s %7s  %-18s %9.2f s %7d MB\n' "$@"
}

add() { awk -v a="$1" -v b="$2" 'BEGIN { print a + b }'; }

run_network() {
  local name=$1 model=$2 dir=$work/$1 total=0 peak=0 n
  mkdir -p "$dir"
  cd "$dir"
  measure rxnconv "$bin/rxnconv" "-N$model" -Uu.txt -Dm.dae -gCMA -mCMA
  n=$(grep -c '^y\[' m.dae || true)
  row "$name" "$n" rxnconv "$seconds" "$megabytes"
  total=$(add "$total" "$seconds"); peak=$((megabytes > peak ? megabytes : peak))
  measure symcode "$bin/symcode" -Dm.dae -Pp.txt -Fm.c -Tt.c -Gg.c -Ss.c -Jj.c
  row "$name" "$n" "symcode (C, -J)" "$seconds" "$megabytes"
  total=$(add "$total" "$seconds"); peak=$((megabytes > peak ? megabytes : peak))
  python3 "$root/sim/bench/fill_values.py" p.txt
  measure "kinesim set-up" "$bin/kinesim" -Cm.c -Jj.c -Pp.txt -T0:1e-9 -S1e-9 -Oshort.csv
  local setup=$seconds
  row "$name" "$n" "kinesim compile" "$seconds" "$megabytes"
  measure kinesim "$bin/kinesim" -Cm.c -Jj.c -Pp.txt -T0:1000 -S10 -Oout.csv
  row "$name" "$n" "kinesim integrate" "$(add "$seconds" "-$setup")" "$megabytes"
  total=$(add "$total" "$seconds"); peak=$((megabytes > peak ? megabytes : peak))
  row "$name" "$n" "whole chain" "$total" "$peak"
  cd "$work"
}

for size in "${sizes[@]}"; do
  if [ "$size" = bcr ]; then
    python3 "$root/sim/bench/make_bcr_network.py" "$work/bcr.xml" 2>/dev/null
    run_network bcr "$work/bcr.xml"
  elif [ "$size" = bcr4 ]; then
    python3 "$root/sim/bench/make_bcr_network.py" --extra-site "$work/bcr4.xml" 2>/dev/null
    run_network bcr4 "$work/bcr4.xml"
  else
    python3 "$root/sim/bench/make_network.py" "$size" "$work/chain$size.xml"
    run_network "chain$size" "$work/chain$size.xml"
  fi
done

#!/usr/bin/env bash
# Benchmark (not a test): kinesim on the dense solver, on KLU with the pattern it derives from
# usr_fjac (no -J file) and on KLU with symcode's -J file, for enzyme chains of growing size and
# the receptor network; the size from which Auto takes KLU comes from here.
#   sim/bench/solver_choice_bench.sh [BUILD_DIR] [RUNS]     (defaults: build, 3)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(realpath "${1:-$root/build}")
runs=${2:-3}
bin=$build/bin
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export TELUV_HOME=$build XERCES_HOME=$build ZYMORAX_SYSLOG=$work/system.log

mean_ms() {  # mean_ms <command...>: mean wall time in ms over $runs runs
  local total=0 start end
  for _ in $(seq "$runs"); do
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; cat "$work/system.log" >&2; exit 1; }
    end=$(date +%s%N)
    total=$((total + (end - start) / 1000000))
  done
  echo $((total / runs))
}

# bench <label> <model.xml> <span>
bench() {
  local dir=$work/$1
  mkdir -p "$dir" && cd "$dir"
  "$bin/rxnconv" "-N$2" -gCMA -mCMA -Dm.dae -Uu.txt >/dev/null
  "$bin/symcode" -Dm.dae -Pp.txt -Fm.c -Tt.c -Gg.c -Ss.c -Jj.c >/dev/null
  python3 "$root/sim/bench/fill_values.py" p.txt
  local n run=("$bin/kinesim" -Cm.c -Pp.txt "-T$3" -S1 -Oout.csv)
  n=$(awk -F';' '$1 ~ /^N_VAR/ {print $2+0}' p.txt)
  printf '%-12s %5d vars  dense %7d  KLU derived %7d  KLU -J %7d ms\n' "$1" "$n" \
    "$(mean_ms "${run[@]}" -Ldense)" "$(mean_ms "${run[@]}" -Lklu)" \
    "$(mean_ms "${run[@]}" -Lklu -Jj.c)"
}

for species in 20 40 60 100 200 400 1000; do
  python3 "$root/sim/bench/make_network.py" "$species" "$work/chain$species.xml"
  bench "chain-$species" "$work/chain$species.xml" 0:1000
done
python3 "$root/sim/bench/make_bcr_network.py" "$work/bcr.xml"
runs=1 bench receptor "$work/bcr.xml" 0:1000

#!/usr/bin/env bash
# Benchmark (not a test): time from model file to finished simulation, per program, for the
# bundled examples and a generated enzyme chain of 1,000 species.
#   sim/bench/chain_bench.sh [BUILD_DIR]     (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(realpath "${1:-$root/build}")
bin=$build/bin
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export TELUV_HOME=$build XERCES_HOME=$build ZYMORAX_SYSLOG=$work/system.log

ms_of() {  # ms_of <command...>: runs it, prints its wall time in ms
  local start end
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; cat "$work/system.log" >&2; exit 1; }
  end=$(date +%s%N)
  echo $(((end - start) / 1000000))
}

# bench <label> <model> <gene> <metabolic> <tuned file or "fill"> <span> <step>
bench() {
  local label=$1 model=$2 gene=$3 metabolic=$4 tuned=$5 span=$6 step=$7 dir
  dir=$work/$label
  mkdir -p "$dir/m"
  cd "$dir"
  local t_rxn t_sym t_symm t_fuse t_cc t_sim
  t_rxn=$(ms_of "$bin/rxnconv" "-N$model" -Uu.txt -Dm.dae "$gene" "$metabolic")
  t_sym=$(ms_of "$bin/symcode" -Dm.dae -Pp.txt -Fm.c -Tt.c -Gg.c -Ss.c -Jj.c)
  t_symm=$(cd m && ms_of "$bin/symcode" -D../m.dae -MATLAB)
  if [ "$tuned" = fill ]; then
    t_fuse=$(ms_of python3 "$root/sim/bench/fill_values.py" p.txt)
  else
    t_fuse=$(ms_of "$bin/valfuse" -Ip.txt "-R$tuned")
  fi
  local n
  n=$(awk -F';' '$1 ~ /^N_VAR/ {print $2}' p.txt)
  # The compile step of kinesim alone (TinyCC, reading and set-up included), to split its time.
  t_cc=$(ms_of "$bin/kinesim" -Cm.c -Jj.c -Pp.txt -T0:1e-9 -S1e-9 -Oshort.csv)
  t_sim=$(ms_of "$bin/kinesim" -Cm.c -Jj.c -Pp.txt "-T$span" "-S$step" -Oout.csv)
  printf '%-16s %5d vars  rxnconv %6d  symcode %6d  symcode-MATLAB %6d  values %6d  kinesim %6d (compile %6d)  total %6d ms\n' \
    "$label" "$n" "$t_rxn" "$t_sym" "$t_symm" "$t_fuse" "$t_sim" "$t_cc" \
    $((t_rxn + t_sym + t_fuse + t_sim))
}

e=$root/examples
bench CMA "$e/enzyme_complex.xml" -gCMA -mGMA "$e/enzyme_complex.param.txt" 0:20 0.5
bench GMA "$e/glycolysis_gma.xml" -gCMA -mGMA "$e/glycolysis_gma.param.txt" 0:10 0.25
bench MM "$e/glycolysis_gma.xml" -gCMA -mMM "$e/glycolysis_gma.mm.param.txt" 0:10 0.25
python3 "$root/sim/bench/make_network.py" 1000 "$work/chain1000.xml"
bench chain-1000 "$work/chain1000.xml" -gCMA -mGMA fill 0:100 1

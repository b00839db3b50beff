#!/usr/bin/env bash
# Times kinefit against SciPy (scipy_fit.py: least_squares on a solve_ivp BDF simulation of the
# same generated code) on noise-free data of the enzyme chain (sim/bench/make_network.py) with 5,
# 20 and 50 estimated rate constants, bounds a decade either side of the true values.
#
#   fit/bench/fit_bench.sh BUILD_DIR [STARTS] [SIZES]     e.g. fit/bench/fit_bench.sh build 4 "5 20"
#
# SCIPY_MAX=<n> leaves SciPy out above n parameters (its finite differences make it slow there).
# Per size: the wall time of all starts on one thread, the best chi2, how many starts reached it
# (within 1e-6 of it, relative, or 1e-9 of the data's sum of squares; kinefit's own count) and
# the largest relative deviation of a fitted value from the true one.
# Needs rxnconv (Java), python3-scipy and a C compiler.
set -euo pipefail

build=$(cd "$1" && pwd)
starts=${2:-4}
sizes=${3:-"5 20 50"}
root=$(cd "$(dirname "$0")/../.." && pwd)
python=${PYTHON:-/usr/bin/python3}  # Debian's, with python3-scipy
bin=$build/bin
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export TELUV_HOME=$build XERCES_HOME=$build

# Species for a number of estimated constants: each unit of 4 species has about 4.5.
species_for() { echo $(( ($1 * 4 / 18 + 1) * 4 )); }

# Marks the first $2 rate-constant rows of $1 for estimation, a decade either side of the value.
mark_estimated() {
  awk -F';' -v k="$2" 'BEGIN { OFS = ";" }
    /^PARAM / && n < k { v = $4 + 0; $7 = "R"; $9 = v / 10; $10 = v * 10; $4 = "1"; n++ }
    { print }' "$1"
}

for size in $sizes; do
  dir=$work/p$size
  mkdir -p "$dir" && cd "$dir"
  "$python" "$root/sim/bench/make_network.py" "$(species_for "$size")" net.xml
  "$bin/rxnconv" -Nnet.xml -Uu.txt -Dm.dae -gCMA -mCMA
  "$bin/symcode" -Dm.dae -Ptrue.txt -Fm.c -Tt.c -Gg.c -Ss.c -Qfpar.c
  "$python" "$root/sim/bench/fill_values.py" true.txt
  "$bin/kinesim" -Cm.c -Ptrue.txt -T0:20 -S1 -Odata.csv
  mark_estimated true.txt "$size" > fit.txt
  begin=$(date +%s.%N)
  "$bin/kinefit" -Cm.c -Qfpar.c -Pfit.txt -Ddata.csv -Otuned.txt -N"$starts" --seed 1 -j1 > report.txt
  end=$(date +%s.%N)
  best=$(sed -n 's/^Best: start [0-9]*, chi2 = \([^,]*\),.*/\1/p' report.txt)
  reached=$(sed -n 's/^Starts that reached it: //p' report.txt)
  deviation=$(awk -F';' 'NR == FNR { if ($1 ~ /^PARAM /) v[FNR] = $4; next }
    $1 ~ /^PARAM / && $7 == "R" { d = ($4 - v[FNR]) / v[FNR]; d = d < 0 ? -d : d; m = d > m ? d : m }
    END { printf "%.2g", m }' true.txt tuned.txt)
  printf 'kinefit %3d parameters  %8.2f s  best chi2 %s  reached by %s  values within %s\n' \
    "$size" "$(echo "$end - $begin" | bc)" "$best" "$reached" "$deviation"
  [ "$size" -le "${SCIPY_MAX:-50}" ] || continue
  "$python" "$root/fit/bench/scipy_fit.py" m.c fit.txt data.csv "$starts" 1 "$root/sim" > scipy.txt
  printf 'scipy   %3d parameters  %s\n' "$size" "$(tail -1 scipy.txt)"
  sed -n 's/^start \([0-9]*\) chi2 \([^ ]*\).*/  start \1 chi2 \2/p' scipy.txt
done

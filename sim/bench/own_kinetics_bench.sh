#!/usr/bin/env bash
# Benchmark (not a test): the 1,227-species receptor network written once as a plain network
# (rxnconv -gCMA -mCMA, every kx filled with 2) and once with its own mass-action laws
# (make_bcr_network.py --kinetic-laws 2, kinelaw); times both conversions and compares the two
# time courses (kinesim, t = 0 to 10).
#   sim/bench/own_kinetics_bench.sh [BUILD_DIR] [RUNS]     (defaults: build, 3)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(realpath "${1:-$root/build}")
runs=${2:-3}
bin=$build/bin
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export TELUV_HOME=$build XERCES_HOME=$build ZYMORAX_SYSLOG=$work/system.log
cd "$work"

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

python3 "$root/sim/bench/make_bcr_network.py" network.xml 2>/dev/null
python3 "$root/sim/bench/make_bcr_network.py" --kinetic-laws 2 laws.xml 2>/dev/null
echo "rxnconv -gCMA -mCMA: $(mean_ms "$bin/rxnconv" -Nnetwork.xml -Uu.txt -Dnetwork.dae -gCMA -mCMA) ms"
echo "kinelaw:             $(mean_ms "$bin/kinelaw" -Nlaws.xml -Dlaws.dae) ms"
"$bin/symcode" -Dnetwork.dae -Pnetwork.txt -Fnetwork.c -Tn.t.c -Gn.g.c -Sn.s.c >/dev/null 2>&1
python3 "$root/sim/bench/fill_values.py" network.txt
"$bin/symcode" -X -Dlaws.dae -Plaws.txt -Flaws.c -Tl.t.c -Gl.g.c -Sl.s.c >/dev/null 2>&1
"$bin/kinesim" -Cnetwork.c -Pnetwork.txt -T0:10 -S1 -Onetwork.csv
"$bin/kinesim" -Claws.c -Plaws.txt -T0:10 -S1 -Olaws.csv
python3 - <<'PY'
import csv
generated = list(csv.DictReader(open("network.csv")))
own = list(csv.DictReader(open("laws.csv")))
worst = 0.0
for a, b in zip(generated, own):
    for name, value in a.items():
        if name != "time":
            other = float(b[name[:-4] if name.endswith(".cel") else name])
            worst = max(worst, abs(float(value) - other) / max(abs(float(value)), 1e-6))
print("%d variables, %d output times: largest relative difference %.3g"
      % (len(generated[0]) - 1, len(generated), worst))
PY

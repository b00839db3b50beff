#!/usr/bin/env bash
# Time per objective gradient (forward sensitivities) of PEtab problems at their nominal values:
#   fit/bench/gradient_bench.sh <build> <Benchmark-Models folder> [problem ...]
# The build needs -DZYMORAX_BENCHMARKS=ON (gradient_bench). Each problem goes through kinelaw and
# symcode -X -Q as in scripts/petab_bench.py; a problem that does not run is reported and skipped.
set -uo pipefail
build=$(cd "$1" && pwd)
models=$(cd "$2" && pwd)
shift 2
problems=("$@")
if [ ${#problems[@]} -eq 0 ]; then
  problems=(Boehm_JProteomeRes2014 Crauste_CellSystems2017 Fujita_SciSignal2010
            Brannmark_JBC2010 Elowitz_Nature2000 Fiedler_BMCSystBiol2016 Sneyd_PNAS2002
            Zheng_PNAS2012 Weber_BMC2015)
fi
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
bin=$build/bin
for problem in "${problems[@]}"; do
  work=$(mktemp -d)
  folder=$models/$problem
  model=$(ls "$folder"/*.xml | head -1)
  if ! (cd "$work" && "$bin/kinelaw" -N"$model" -Dm.dae -Iinitial.txt -Eevents.txt &&
        "$bin/symcode" -X -Dm.dae -Pparam.txt -Fm.c -Ttemp.c -Ggh.c -Sssys.c -Qfpar.c) \
        > /dev/null 2>&1; then
    echo "$problem: not converted"
    rm -rf "$work"
    continue
  fi
  line=$(cd "$work" && "$bin/gradient_bench" 20 -Cm.c -Qfpar.c -Pparam.txt \
           -E"$folder/$problem.yaml" -Otuned.txt -K"$source_dir/sim" --initial initial.txt \
           --events events.txt 2> err.txt) || line="fails: $(head -c 160 "$work/err.txt")"
  echo "$problem: $line"
  rm -rf "$work"
done

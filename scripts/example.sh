#!/usr/bin/env bash
# Takes a model through the whole tool chain and simulates it:
#   rxnconv (model -> DAE), symcode (C and MATLAB code, parameter file), valfuse (tuned values
#   into the fresh parameter file), valscribe (MATLAB scripts), kinesim (CSV time course, PNG),
#   kineport (the model as SBML, and a PEtab problem with the time course as its measurements).
#
#   scripts/example.sh [MODEL.xml [TUNED_PARAM.txt]] [-g<METHOD>] [-m<METHOD>] [-T<start>:<end>] [-S<step>]
#
# Without arguments it runs the bundled example examples/regulated_transcription.xml (a gene
# with an activator and a repressor, converted with TPP_RAPID) with its tuned parameter file. Everything it makes goes to out/ (set OUT to choose another folder).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

model=$root/examples/regulated_transcription.xml
tuned=$root/examples/regulated_transcription.param.txt
gene=-gTPP_RAPID metabolic=-mNONE span=-T0:20 step=-S0.2
positional=0
for argument in "$@"; do
  case "$argument" in
    -g*) gene=$argument ;;
    -m*) metabolic=$argument ;;
    -T*) span=$argument ;;
    -S*) step=$argument ;;
    -*) echo "example.sh: unknown switch '$argument'" >&2; exit 2 ;;
    *)
      positional=$((positional + 1))
      case $positional in
        1) model=$(realpath "$argument") ;;
        2) tuned=$(realpath "$argument") ;;
        *) echo "example.sh: too many arguments" >&2; exit 2 ;;
      esac ;;
  esac
done
if [ "$positional" -eq 1 ]; then
  echo "example.sh: give the tuned parameter file after the model" >&2
  exit 2
fi

name=$(basename "$model" .xml)
out=$(realpath -m "${OUT:-$root/out}")
build=$root/build
bin=$build/bin

step_time() {  # step_time <label> <command...>: runs the command and reports its duration
  local label=$1 start end ms
  shift
  start=$(date +%s%N)
  if ! "$@"; then
    echo "example.sh: $label failed; see $out/system.log" >&2
    exit 1
  fi
  end=$(date +%s%N)
  ms=$(((end - start) / 1000000))
  printf '  %-10s %4d.%03d s\n' "$label" $((ms / 1000)) $((ms % 1000))
}

echo "Building the tool chain in $build ..."
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j 2 --target rxnconv symcode valfuse valscribe kinesim kineport >/dev/null

rm -rf "$out"
mkdir -p "$out/matlab"
export TELUV_HOME=$build XERCES_HOME=$build ZYMORAX_SYSLOG=$out/system.log
cd "$out"
echo "Running $name ($gene $metabolic):"
step_time rxnconv "$bin/rxnconv" "-N$model" "-U$name.usage.txt" "-D$name.dae" "$gene" "$metabolic"
step_time symcode "$bin/symcode" "-D$name.dae" "-P$name.param.txt" "-F$name.c" \
  "-T$name.flux.c" "-G$name.gh.c" "-S$name.ssys.c" "-J$name.jac.c"
(cd matlab && step_time symcode-m "$bin/symcode" "-D../$name.dae" -MATLAB)
step_time valfuse "$bin/valfuse" "-I$name.param.txt" "-R$tuned"
(cd matlab && step_time valscribe "$bin/valscribe" "-I../$name.param.txt")
step_time kinesim "$bin/kinesim" "-C$name.c" "-J$name.jac.c" "-P$name.param.txt" "$span" \
  "$step" "-O$name.csv" "-G$name.png"
# A model SBML cannot hold as it stands (T_EVENT rows, for one) is reported, not fatal.
(step_time kineport "$bin/kineport" "-D$name.dae" "-P$name.param.txt" "-O$name.sbml.xml" \
  "-E$name.petab.yaml" "-M$name.csv") || true
rm -f ./*.tmp matlab/*.tmp
matlab_span=${span#-T}
matlab_span=${matlab_span/:/ }

cat <<TEXT
Done. In $out:
  $name.csv        the time course (time, then one column per variable)
  $name.png        its plot
  $name.dae        the DAE file (rxnconv), $name.usage.txt its short form
  $name.c          usr_fvec and usr_fjac (symcode), $name.flux.c the fluxes,
                   $name.jac.c the sparse Jacobian (kinesim solves large models with it)
  $name.param.txt  the parameter file with the tuned values (valfuse)
  $name.sbml.xml   the model as SBML (kineport); $name.petab.yaml a PEtab problem with
                   the time course as measurements and its tables $name.petab_*.tsv
  matlab/          the MATLAB functions (symcode -MATLAB) and ZYMORAX_Merge_*.m (valscribe);
                   in Octave: addpath('$root/sim/matlab'); cd('$out/matlab');
                   ZYMORAX_simulate([$matlab_span], ${step#-S}, 'octave.csv');
  system.log       the programs' messages
TEXT

#!/usr/bin/env bash
# Installs every Debian package the project needs that is not installed yet. Run as root
# (or as a user who may use sudo). Safe to run again: it installs only what is missing.
#
#   scripts/bootstrap.sh                what the programs and the example need
#   scripts/bootstrap.sh --with-octave  also Octave, for the tests of the generated MATLAB code
#                                       (scripts/test.sh asks for it; about 180 MB, 35 s)
#   scripts/bootstrap.sh --with-fuzz    also clang and its libFuzzer runtime (scripts/fuzz.sh)
set -euo pipefail

packages=(
  g++ make cmake pkg-config
  googletest libgtest-dev
  openjdk-17-jdk-headless
  libsbml5-java libsbml5-examples libsbml5-dev
  libxml2-utils python3 python3-yaml
  libsundials-dev libsuitesparse-dev libtcc-dev gnuplot-nox libeigen3-dev
  libceres-dev libopenmpi-dev openmpi-bin python3-scipy
)

for argument in "$@"; do
  case "$argument" in
    --with-octave) packages+=(octave) ;;
    --with-fuzz) packages+=(clang libclang-rt-14-dev) ;;
    *) echo "bootstrap.sh: unknown argument '$argument' (known: --with-octave, --with-fuzz)" >&2
       exit 2 ;;
  esac
done

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  as_root=(sudo)
fi
echo "Installing: ${missing[*]}"
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"

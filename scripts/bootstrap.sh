#!/usr/bin/env bash
# Installs every Debian package the project needs that is not installed yet. Run as root
# (or as a user who may use sudo). Safe to run again: it installs only what is missing.
set -euo pipefail

packages=(
  g++ make cmake pkg-config
  googletest libgtest-dev
  openjdk-17-jdk-headless
  libsbml5-java libsbml5-examples
  libxml2-utils
)

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

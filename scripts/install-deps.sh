#!/usr/bin/env bash
# Installs what the editor and its tests need on Debian 12, and nothing when all is present.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  libsdl1.2-compat-dev libsdl-ttf2.0-dev libpng-dev fonts-comic-neue
  libgtest-dev googletest libbenchmark-dev
  xvfb xauth xdotool libx11-dev libxtst-dev
  clang libclang-rt-14-dev valgrind clang-format
)

# One query for all of them: the editor's start waits on this. dpkg-query fails when some
# package is unknown to it, which is exactly the case to go on with.
installed=" $({ dpkg-query -W -f='${db:Status-Abbrev}${Package}\n' "${packages[@]}" 2>/dev/null ||
  true; } | sed -n 's/^ii *//p' | tr '\n' ' ') "
missing=()
for package in "${packages[@]}"; do
  [[ $installed == *" $package "* ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null || { echo "Need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"

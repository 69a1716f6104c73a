#!/usr/bin/env bash
# Installs what the editor and its tests need on Debian 12, and nothing when all is present.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  libsdl1.2-compat-dev libsdl-ttf2.0-dev libpng-dev fonts-comic-neue
  libgtest-dev googletest libbenchmark-dev
  xvfb xauth libx11-dev libxtst-dev
  clang libclang-rt-14-dev valgrind clang-format
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
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

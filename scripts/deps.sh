#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing need, and only those missing.
set -euo pipefail

packages=(
  # build
  cmake ninja-build ccache g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev
  libjpeg62-turbo-dev
  # barcode pictures: enhanced metafiles
  libemf-dev
  # fonts the barcode text and labels are measured with
  fonts-liberation2 fonts-dejavu-core
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev
  libzxing-dev libzint-dev
  # reading the written metafiles back (wmf2svg needs the URW fonts to place text)
  libwmf-bin emf2svg fonts-urw-base35
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"

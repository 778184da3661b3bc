#!/usr/bin/env bash
# Installs every Debian package the build, tests, benchmarks and tools need.
# Idempotent: refreshes the package lists once, and only when something is missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  juce-modules-source-data fst-dev
  libgtest-dev libgmock-dev libbenchmark-dev libfftw3-dev
  libsndfile1-dev libcairo2-dev libx11-dev libpugixml-dev
  libfontconfig-dev fonts-liberation fonts-dejavu-core
  libxcb1-dev libxcb-xkb-dev libxcb-xtest0-dev libxkbcommon-dev libxkbcommon-x11-dev xvfb
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

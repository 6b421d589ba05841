#!/usr/bin/env bash
# Installs the Debian packages the build, the tests, the fuzzers and the
# benchmarks need, when they are missing. Safe to run again and again.
#   scripts/bootstrap.sh          build, tests, sanitizers, fuzzers
#   scripts/bootstrap.sh --bench  also the benchmarks' peers (FFTW, numpy, scipy)
#   scripts/bootstrap.sh --screen also the virtual display for screenshots (Xvfb)
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config
  libgtest-dev
  libbenchmark-dev
  clang libclang-rt-14-dev clang-format
  qt6-base-dev qt6-svg-dev fonts-dejavu-core
)
if [ "${1:-}" = "--bench" ]; then
  packages+=(libfftw3-dev python3-numpy python3-scipy)
fi
if [ "${1:-}" = "--screen" ]; then
  packages+=(xvfb xauth)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "bootstrap: installing ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"

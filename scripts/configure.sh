#!/usr/bin/env bash
# Configures a build folder: scripts/configure.sh DIR [cmake options...]
# A folder configured before keeps its generator (CMake refuses to switch);
# a new one takes Ninja when bootstrap has installed it, else Makefiles.
set -euo pipefail
dir="$1"
shift
gen=()
if [ ! -f "$dir/CMakeCache.txt" ] && command -v ninja >/dev/null 2>&1; then
  gen=(-G Ninja)
fi
cmake -S . -B "$dir" "${gen[@]}" "$@" >/dev/null

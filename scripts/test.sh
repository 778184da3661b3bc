#!/usr/bin/env bash
# Builds and runs every test through the CMake presets (CMakePresets.json): a plain
# build, an AddressSanitizer+UndefinedBehaviorSanitizer build, and a ThreadSanitizer
# build of the concurrency tests. Sets the machine up first.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

jobs=$(nproc)

run_preset() {  # <preset> <build dir> <title>
  local preset=$1 dir=$2
  echo "== $3 =="
  mkdir -p "$dir"
  cmake --preset "$preset" > "$dir/configure.log" 2>&1 || { cat "$dir/configure.log"; exit 1; }
  cmake --build --preset "$preset" -j"$jobs"
  ctest --preset "$preset" -j"$jobs"
}

run_preset plain build "Plain build"
run_preset asan build-asan "AddressSanitizer + UndefinedBehaviorSanitizer"
run_preset tsan build-tsan "ThreadSanitizer (concurrency tests)"

#!/usr/bin/env bash
# Builds and runs every test through the CMake presets (CMakePresets.json): a plain
# build, an AddressSanitizer+UndefinedBehaviorSanitizer build, and a ThreadSanitizer
# build of the concurrency tests; runs the soak for 30 seconds in the plain and the
# ThreadSanitizer builds. Sets the machine up first.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

jobs=$(nproc)

# The X11 tests need a display. Without one, a private Xvfb serves this run (stopped on
# exit); the tests are then told that a display is expected, so they fail instead of skipping.
if [ -z "${DISPLAY:-}" ]; then
  display_file=$(mktemp)
  Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1280x1024x24 3>"$display_file" 2>/dev/null &
  xvfb_pid=$!
  trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
  for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
  export DISPLAY=":$(head -n 1 "$display_file")"
  export CORVALE_REQUIRE_X_DISPLAY=1
  rm -f "$display_file"
fi

run_preset() {  # <preset> <build dir> <title>
  local preset=$1 dir=$2
  echo "== $3 =="
  mkdir -p "$dir"
  cmake --preset "$preset" > "$dir/configure.log" 2>&1 || { cat "$dir/configure.log"; exit 1; }
  cmake --build --preset "$preset" -j"$jobs"
  ctest --preset "$preset" -j"$jobs"
}

# Thirty seconds of the soak (tools/soak): the module under load from an audio and
# a main thread; it fails on any non-finite or unbounded output, any allocation
# inside process and, under ThreadSanitizer, any race.
soak() {  # <build dir> <title>
  echo "== Soak, $2 =="
  "$1/tools/soak/corvale-soak" --seconds 30 --seed 1
}

run_preset plain build "Plain build"
soak build "plain build"
run_preset asan build-asan "AddressSanitizer + UndefinedBehaviorSanitizer"
run_preset tsan build-tsan "ThreadSanitizer (concurrency tests)"
soak build-tsan "ThreadSanitizer build"

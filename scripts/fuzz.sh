#!/usr/bin/env bash
# Long fuzzing runs with libFuzzer. Builds the fuzz targets (fuzz/) with clang,
# AddressSanitizer and UndefinedBehaviorSanitizer into build-fuzz/ and runs one:
#
#   bash scripts/fuzz.sh [TARGET] [SECONDS]
#
# TARGET is vst2_chunk (the default): arbitrary bytes as a VST 2 effect's chunk.
# SECONDS defaults to 600. The corpus grows in build-fuzz/corpus/TARGET/, and an
# input that breaks a check is kept in build-fuzz/findings/TARGET/ (replay it with
# build-fuzz/fuzz/fuzz_TARGET FILE). The normal tests run the same targets over
# fixed-seed inputs; this is for the long runs.
set -euo pipefail
cd "$(dirname "$0")/.."

target=${1:-vst2_chunk}
seconds=${2:-600}
case "$target" in
  vst2_chunk) ;;
  *) echo "fuzz.sh: unknown target '$target' (known: vst2_chunk)" >&2; exit 2 ;;
esac

bash scripts/setup.sh

# clang and its libFuzzer runtime, needed by this script only.
missing=()
for p in clang libclang-rt-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

mkdir -p build-fuzz
cmake -S . -B build-fuzz -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DEQ_SANITIZE=address,undefined -DEQ_FUZZ=ON \
  -DEQ_WARNINGS_AS_ERRORS=OFF \
  -DEQ_BUILD_TESTS=OFF -DEQ_BUILD_BENCH=OFF -DEQ_BUILD_TOOLS=OFF \
  > build-fuzz/configure.log 2>&1 || { cat build-fuzz/configure.log; exit 1; }
cmake --build build-fuzz -j"$(nproc)" --target "fuzz_$target"

corpus=build-fuzz/corpus/$target
findings=build-fuzz/findings/$target
mkdir -p "$corpus" "$findings"
if [ "$target" = vst2_chunk ] && [ -z "$(ls -A "$corpus")" ]; then
  # A first input: the chunk of a fresh effect (component state of 82 bytes:
  # version 1, fifteen bands at 0 dB, gain 1.0, bypass off, joystick centred).
  {
    printf '\122\0\0\0\0\0\0\0' ; printf '\0\0\0\0\0\0\0\0'   # sizes 82 and 0
    printf '\1\0\0\0\0\0\0\0'                                 # version 1
    for _ in $(seq 15); do printf '\0\0\0\0'; done            # bands
    printf '\0\0\200\77'                                      # gain 1.0f
    printf '\0\0'                                             # bypass
    printf '\0\0\0\0\0\0\0\0'                                 # joystick
  } > "$corpus/fresh-effect.chunk"
fi

echo "== fuzzing $target for $seconds s =="
"build-fuzz/fuzz/fuzz_$target" -max_total_time="$seconds" -artifact_prefix="$findings/" "$corpus"

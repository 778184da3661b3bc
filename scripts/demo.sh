#!/usr/bin/env bash
# The main job: sets the machine up, builds Corvale, installs the VST 3 bundle into
# ~/.vst3 and renders a demonstration through a factory preset, writing an audio
# file and a plot of the preset's magnitude response into out/, and the editor with
# that preset into docs/editor.png (the picture the README shows).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build build -j"$(nproc)" --target corvale_module corvale-render
cmake --install build > /dev/null

# The names follow the version; the build writes them into its identity header.
identity() { sed -n "s/.*$1 = \"\(.*\)\";/\1/p" build/generated/product_identity.h; }
render=build/tools/render/corvale-render
bundle="$HOME/.vst3/$(identity kBundleName)"
preset="LL Drums"
mkdir -p out
python3 scripts/make_demo_signal.py out/demo-input.wav

"$render" --plugin "$bundle" --program "$preset" --list
"$render" --plugin "$bundle" --program "$preset" --compensate-latency \
  out/demo-input.wav out/demo-ll-drums.wav
"$render" --plugin "$bundle" --program "$preset" --plot-response out/demo-ll-drums-response.png
mkdir -p docs
"$render" --plugin "$bundle" --program "$preset" --editor-screenshot docs/editor.png

cat <<TXT

Done.
  Plug-in installed:  $bundle
  Input signal:       out/demo-input.wav
  Rendered ("$preset"): out/demo-ll-drums.wav
  Response plot:      out/demo-ll-drums-response.png
  Editor picture:     docs/editor.png

To use Corvale in a DAW, rescan plug-ins (VST 3 hosts search ~/.vst3) and insert
"$(identity kClassName)" (vendor $(identity kVendor), category FX|EQ) on a track.
TXT

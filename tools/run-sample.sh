#!/bin/bash
# The main job on the bundled sample: builds the native programs and converts
# samples/chime.wav, leaving what it made in build/sample-run.
set -eu
cd "$(dirname "$0")/.."
bash tools/install-packages.sh $(cat tools/native-packages.txt)
cmake --preset release >/dev/null
cmake --build --preset release -j"$(nproc)" --target chimewright-cli
out=build/sample-run
rm -rf "$out"
mkdir -p "$out"
build/release/bin/chimewright --render-temp --work-folder "$out" samples/chime.wav

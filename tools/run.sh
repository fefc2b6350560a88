#!/usr/bin/env bash
# Installs what is needed, builds the plug-in (Quorvel.so) and the command-line
# renderer, and renders the generated ten-second four-channel B-format test
# signal through the plug-in, loaded the way a VST 2.4 host loads it.
set -euo pipefail
cd "$(dirname "$0")/.."

[ "${QUORVEL_SKIP_SETUP:-0}" = 1 ] || bash tools/setup.sh

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build/release -j"$(nproc)" --target Quorvel quorvel_render

mkdir -p build/render
build/release/tools/render/quorvel_render \
    --plugin build/release/plugin/Quorvel.so \
    --attack 2 --release 80 --max-peak -1 --input-gain 12 \
    --write-input build/render/test-signal.wav \
    --output build/render/quorvel-output.wav

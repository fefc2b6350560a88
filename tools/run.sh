#!/usr/bin/env bash
# Installs what is needed, builds, and runs the limiter benchmark on generated
# four-channel audio.
set -euo pipefail
cd "$(dirname "$0")/.."

[ "${QUORVEL_SKIP_SETUP:-0}" = 1 ] || bash tools/setup.sh

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build/release -j"$(nproc)" --target quorvel_bench
build/release/bench/quorvel_bench --benchmark_min_time=0.2

#!/usr/bin/env bash
# Builds the benchmarks optimised and runs each; every one prints its ratio
# against a floor measured in the same run.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVO_BUILD_TESTS=OFF -DTARVO_BUILD_APP=OFF
cmake --build build/bench -j "$(nproc)"
for bench in build/bench/bench/*_bench; do
  echo "== $(basename "$bench")"
  "$bench"
done

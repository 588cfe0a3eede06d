#!/usr/bin/env bash
# Checks the floors of the core; builds Tarvo with warnings as errors and runs
# every test; builds the Debian package and checks it; then builds the core
# once more under AddressSanitizer and UndefinedBehaviorSanitizer and runs the
# core tests there; last, runs each fuzz target for 20 s.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

# The core's floors and the include edges between them; fails on one that
# points up or sideways (the build checks this too).
python3 tools/check_floors.py

cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTARVO_WERROR=ON
cmake --build build/test -j "$jobs"
ctest --test-dir build/test --output-on-failure -j "$jobs" --timeout 600

# The package compiles the program once more, optimised, without the tests
# (about 2.5 minutes on two cores, seconds with a warm ccache).
bash scripts/deb.sh
python3 tests/e2e/package_check.py build/deb/tarvo_*_"$(dpkg --print-architecture)".deb

cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTARVO_WERROR=ON \
  -DTARVO_SANITIZE=ON -DTARVO_BUILD_APP=OFF -DTARVO_BUILD_BENCH=OFF
cmake --build build/sanitize -j "$jobs" --target core_tests
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build/sanitize --output-on-failure -j "$jobs" -L core --timeout 600

FUZZ_SECONDS=20 bash scripts/fuzz.sh

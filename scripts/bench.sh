#!/usr/bin/env bash
# Builds the benchmarks and the player optimised and runs each benchmark;
# every one prints its ratio against a floor measured in the same run.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVO_BUILD_TESTS=OFF
cmake --build "$build" -j "$(nproc)"

for bench in "$build"/bench/*_bench; do
  [ "$(basename "$bench")" = startup_bench ] && continue
  echo "== $(basename "$bench")"
  "$bench"
done

echo "== startup_bench"
Xvfb :97 -screen 0 1280x1024x24 -nolisten tcp > /dev/null 2>&1 &
xvfb=$!
runtime=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null; rm -rf "$runtime"' EXIT
for _ in $(seq 50); do [ -e /tmp/.X11-unix/X97 ] && break; sleep 0.1; done
# The programs start as in a desktop session: with a runtime folder and a
# session bus. Without a bus, every program's first D-Bus connection would
# try to start one through dbus-launch, which no desktop user waits for.
XDG_RUNTIME_DIR="$runtime" DISPLAY=:97 dbus-run-session -- \
  "$build"/bench/startup_bench "$build"/app/tarvo "$build"/bench/empty_qt_window "$build"/bench/menu_qt_window

echo "== mpris_cpu_bench"
python3 bench/mpris_cpu_bench.py --tarvo "$build"/app/tarvo

echo "== window_cpu_bench"
python3 bench/window_cpu_bench.py --tarvo "$build"/app/tarvo --tray-stand-in "$build"/bench/notification_area_stand_in

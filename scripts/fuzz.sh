#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) in build/fuzz and runs each one for
# FUZZ_SECONDS seconds (default 20) from its seed corpus. Fails on any crash,
# leak, sanitizer report or hang (an input that takes over 10 s).
#   FUZZ_SECONDS=600 bash scripts/fuzz.sh            every target
#   bash scripts/fuzz.sh playlist_readers scheme     only these
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-20}
build=build/fuzz

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DTARVO_BUILD_FUZZ=ON \
  -DTARVO_BUILD_APP=OFF -DTARVO_BUILD_TESTS=OFF -DTARVO_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(playlist_readers playlist_roundtrip ini_document scheme decoder_mp3 decoder_ogg decoder_wav
    icy_metadata stream_keys update_answer)
fi

# The file readers go through the disk; memory-backed scratch keeps them fast.
if [ -z "${TMPDIR:-}" ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/fuzz/lsan.supp
for target in "${targets[@]}"; do
  # The inputs found in a run are kept in a corpus beside the seeds, so a
  # longer run goes on where the last one stopped.
  corpus=$build/corpus/$target
  mkdir -p "$corpus" "$build/crashes"
  echo "== $target: ${seconds} s"
  "$build/fuzz/${target}_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=65536 -print_final_stats=1 -artifact_prefix="$build/crashes/${target}-" \
    "$corpus" "$build/fuzz/seeds/$target" 2>&1 | tail -n 12
  status=${PIPESTATUS[0]}
  if [ "$status" -ne 0 ]; then
    echo "$target failed (exit $status); the input is in $build/crashes/" >&2
    exit 1
  fi
done

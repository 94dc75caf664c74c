#!/usr/bin/env bash
# Builds and runs every benchmark (not part of the test suite; the copy, download and
# many-files benchmarks need root, and install lftp for the comparison when it is missing).
#   bench/run-all.sh [BUILD_DIR]     (default build-bench)
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$repo/build-bench}
cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j1 --target quorvex-cli bench_task_list bench_smbd bench_web_servers bench_window_scale
"$build/bench/bench_task_list"
"$build/bench/bench_window_scale"
"$repo/bench/copy-throughput.sh" "$build"
"$repo/bench/download-throughput.sh" "$build"
"$repo/bench/many-files.sh" "$build"

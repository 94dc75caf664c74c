#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ into build-fuzz/ (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for a bounded time, two at a time.
#   scripts/fuzz.sh [SECONDS] [TARGET...]   default: 60 seconds, every target
# A target starts from its seeds in fuzz/seeds/<target>/ and keeps what it finds in
# build-fuzz/corpus/<target>/. A crash leaves its input in build-fuzz/crashes/; rerun it with
# build-fuzz/fuzz/fuzz_<target> FILE and, once fixed, add it to the seeds.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
build="$root/build-fuzz"

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DQUORVEX_FUZZ=ON >/dev/null
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=($(ls "$root/fuzz/seeds"))
cmake --build "$build" -j2 --target "${targets[@]/#/fuzz_}"

mkdir -p "$build/crashes" "$build/logs"
run() {
  local target=$1
  mkdir -p "$build/corpus/$target"
  "$build/fuzz/fuzz_$target" "$build/corpus/$target" "$root/fuzz/seeds/$target" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 -print_final_stats=1 \
    -artifact_prefix="$build/crashes/$target-" >"$build/logs/$target.log" 2>&1
}

failed=()
pids=()
names=()
for target in "${targets[@]}"; do
  # Two at a time: one per core.
  if [ ${#pids[@]} -ge 2 ]; then
    wait "${pids[0]}" || failed+=("${names[0]}")
    pids=("${pids[@]:1}")
    names=("${names[@]:1}")
  fi
  run "$target" &
  pids+=($!)
  names+=("$target")
done
for i in "${!pids[@]}"; do
  wait "${pids[$i]}" || failed+=("${names[$i]}")
done

for target in "${targets[@]}"; do
  echo "fuzz_$target: $(grep -E '^stat::number_of_executed_units' "$build/logs/$target.log" | awk '{print $2}') runs," \
    "$(grep -E '^#[0-9]+.*(DONE|cov:)' "$build/logs/$target.log" | tail -1 | grep -oE 'cov: [0-9]+' || true)"
done
if [ ${#failed[@]} -gt 0 ]; then
  for target in "${failed[@]}"; do
    echo "=== fuzz_$target failed; its log ends:"
    tail -60 "$build/logs/$target.log"
  done
  exit 1
fi

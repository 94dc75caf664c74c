#!/usr/bin/env bash
# Copy throughput and CPU cost of quorvex-cli against cp (local to local) and smbclient
# (throw-away Samba share on 127.0.0.1 to local), on one 1 GiB file of random bytes.
#
#   bench/copy-throughput.sh [BUILD_DIR]     (default build-bench; built when missing; needs root for smbd)
#
# Each copy runs three times and the fastest run counts: the source is read from the page
# cache for every tool alike, the copy lands in the page cache (nobody syncs), and the other
# users of a shared machine disturb the best run least. The figures compare the programs'
# own work rather than the disk; the CPU time of smbd is not counted for either client.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$repo/build-bench}
cache=${QUORVEX_BENCH_CACHE:-${TMPDIR:-/tmp}/quorvex-bench}
source_file=$cache/source-1GiB.bin
size_mib=1024

if [[ ! -x $build/quorvex-cli || ! -x $build/bench/bench_smbd ]]; then
  cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build" -j1 --target quorvex-cli bench_smbd
fi

source "$repo/bench/measure.sh"
make_source "$source_file"

work=$(mktemp -d "$cache/run-XXXXXX")
smbd_pid=
cleanup() {
  if [[ -n $smbd_pid ]]; then
    exec {SMBD[1]}>&- 2>/dev/null || true
    wait "$smbd_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

measure quorvex-local "$work/quorvex.bin" "$build/quorvex-cli" -q -d "$work" -o quorvex.bin "$source_file"
measure cp-local "$work/cp.bin" cp "$source_file" "$work/cp.bin"

# The share: the smbd of the tests, serving a link to the source.
coproc SMBD { "$build/bench/bench_smbd"; }
smbd_pid=$SMBD_PID
read -r port public <&"${SMBD[0]}" || { echo "bench_smbd did not start"; exit 1; }
ln "$source_file" "$public/source.bin" 2>/dev/null || cp "$source_file" "$public/source.bin"
export QUORVEX_SMB_PORT=$port
measure quorvex-share "$work/quorvex-smb.bin" \
  "$build/quorvex-cli" -q -d "$work" -o quorvex-smb.bin '\\127.0.0.1\public\source.bin'
measure smbclient-share "$work/smbclient.bin" \
  smbclient //127.0.0.1/public -p "$port" -N -c "get source.bin $work/smbclient.bin"

echo "copy of 1 GiB, fastest of three runs, source and copy in the page cache"
report quorvex-local
report cp-local
report quorvex-share
report smbclient-share
echo "ratios (above 1: Quorvex is faster / uses more CPU)"
ratio "Quorvex/cp (local)" quorvex-local cp-local
ratio "Quorvex/smbclient (share)" quorvex-share smbclient-share

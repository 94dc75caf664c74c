#!/usr/bin/env bash
# Copy throughput, CPU cost and peak memory of quorvex-cli against cp (local to local) and
# smbclient (from a throw-away Samba share on 127.0.0.1 to local, and back onto the share),
# on one 1 GiB file of random bytes.
#
#   bench/copy-throughput.sh [BUILD_DIR]     (default build-bench; built when missing; needs root for smbd)
#
# Each copy runs RUNS times (default 5), by turns with its peer, and the medians count: the
# source is read from the page cache for every tool alike and the copy lands in the page
# cache (nobody syncs), so the figures compare the programs' own work rather than the disk;
# the CPU time of smbd is not counted for either client.
set -euo pipefail

source "$(dirname "$0")/measure.sh"
ensure_source_file
ensure_built bench_smbd

ours=("$quorvex_cli" -q -d "$work" -o quorvex.bin "$source_file")
peer=(cp "$source_file" "$work/cp.bin")
measure_pair "$source_file" quorvex-local "$work/quorvex.bin" ours cp-local "$work/cp.bin" peer

# The share: the smbd of the tests, serving a link to the source.
start_servers "$build/bench/bench_smbd"
read -r port public <<<"$SERVERS_LINE"
ln "$source_file" "$public/source.bin" 2>/dev/null || cp "$source_file" "$public/source.bin"
export QUORVEX_SMB_PORT=$port
ours=("$quorvex_cli" -q -d "$work" -o quorvex-smb.bin '\\127.0.0.1\public\source.bin')
peer=(smbclient //127.0.0.1/public -p "$port" -N -c "get source.bin $work/smbclient.bin")
measure_pair "$source_file" quorvex-share "$work/quorvex-smb.bin" ours smbclient-share "$work/smbclient.bin" peer
ours=("$quorvex_cli" -q -d '\\127.0.0.1\public' -o quorvex-up.bin "$source_file")
peer=(smbclient //127.0.0.1/public -p "$port" -N -c "put $source_file smbclient-up.bin")
measure_pair "$source_file" quorvex-share-up "$public/quorvex-up.bin" ours smbclient-share-up \
  "$public/smbclient-up.bin" peer

echo "copy of 1 GiB, medians of $runs runs, source and copy in the page cache"
report quorvex-local
report cp-local
report quorvex-share
report smbclient-share
report quorvex-share-up
report smbclient-share-up
echo "ratios (above 1: Quorvex is faster / uses more CPU)"
ratio "Quorvex/cp (local)" quorvex-local cp-local
ratio "Quorvex/smbclient (share)" quorvex-share smbclient-share
ratio "Quorvex/smbclient (share up)" quorvex-share-up smbclient-share-up

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

source "$(dirname "$0")/measure.sh"
ensure_built bench_smbd

measure quorvex-local "$work/quorvex.bin" "$build/quorvex-cli" -q -d "$work" -o quorvex.bin "$source_file"
measure cp-local "$work/cp.bin" cp "$source_file" "$work/cp.bin"

# The share: the smbd of the tests, serving a link to the source.
start_servers "$build/bench/bench_smbd"
read -r port public <<<"$SERVERS_LINE"
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

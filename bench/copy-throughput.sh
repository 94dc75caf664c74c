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

mkdir -p "$cache"
if [[ ! -f $source_file ]]; then
  echo "creating $source_file (once)"
  head -c "${size_mib}M" /dev/urandom >"$source_file.part"
  mv "$source_file.part" "$source_file"
fi
# The share's guest account reads it through a link.
chmod 644 "$source_file"

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

# measure NAME DESTINATION COMMAND...: runs COMMAND three times, removing DESTINATION before
# each run; stores the fastest run's wall seconds and user+system CPU seconds in WALL[NAME], CPU[NAME].
declare -A WALL CPU
TIMEFORMAT='%R %U %S'
measure() {
  local name=$1 destination=$2
  shift 2
  local wall user sys
  WALL[$name]=
  for _ in 1 2 3; do
    rm -f "$destination"
    { time "$@" >/dev/null 2>"$work/errors"; } 2>"$work/time" ||
      { echo "$name failed:"; cat "$work/errors"; exit 1; }
    read -r wall user sys <"$work/time"
    if [[ -z ${WALL[$name]} ]] || awk -v a="$wall" -v b="${WALL[$name]}" 'BEGIN { exit !(a < b) }'; then
      WALL[$name]=$wall
      CPU[$name]=$(awk -v u="$user" -v s="$sys" 'BEGIN { print u + s }')
    fi
  done
  cmp -s "$source_file" "$destination" || { echo "$name: the copy differs from the source"; exit 1; }
}

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

report() {
  awk -v name="$1" -v wall="${WALL[$1]}" -v cpu="${CPU[$1]}" -v mib="$size_mib" \
    'BEGIN { printf "  %-16s %8.1f MiB/s %8.2f s wall %8.2f CPU s/GiB\n", name, mib / wall, wall, cpu * 1024 / mib }'
}
ratio() {
  awk -v a="$1" -v qw="${WALL[$2]}" -v ow="${WALL[$3]}" -v qc="${CPU[$2]}" -v oc="${CPU[$3]}" \
    'BEGIN { printf "  %-28s throughput x%.2f   CPU x%.2f\n", a, ow / qw, (oc > 0 ? qc / oc : 0) }'
}

echo "copy of 1 GiB, fastest of three runs, source and copy in the page cache"
report quorvex-local
report cp-local
report quorvex-share
report smbclient-share
echo "ratios (above 1: Quorvex is faster / uses more CPU)"
ratio "Quorvex/cp (local)" quorvex-local cp-local
ratio "Quorvex/smbclient (share)" quorvex-share smbclient-share

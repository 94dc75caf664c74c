#!/usr/bin/env bash
# Many small files: 1000 files of 64 KiB copied by quorvex-cli with five tasks at once
# (-j 5, and five per server), against curl -Z with five parallel transfers (HTTP), lftp
# mirror with five parallel transfers (FTP), smbclient mget (from a share) and cp -r (local),
# all on 127.0.0.1 from the tests' throw-away nginx, vsftpd and smbd.
#
#   bench/many-files.sh [BUILD_DIR]     (default build-bench; built when missing; needs root)
#
# Each copy runs RUNS times (default 5), by turns with its peer, and the medians count. Here
# the cost of each file (connections, logins, probes, starting a task) counts rather than the
# bytes.
set -euo pipefail

# The files and their copies live in memory (tmpfs) where there is one: the cost of each
# file counts here, and on ext4 a folder filling with thousands of new names slows every
# creation for every program alike, by more than the differences measured.
if [[ -z ${QUORVEX_BENCH_CACHE:-} && -w /dev/shm ]]; then
  export QUORVEX_BENCH_CACHE=/dev/shm/quorvex-bench
fi
source "$(dirname "$0")/measure.sh"
ensure_built bench_web_servers bench_smbd
ensure_package lftp lftp

files=1000
small=$cache/small-1000x64KiB
if [[ ! -d $small ]]; then
  echo "creating $small (once)"
  mkdir -p "$small.part"
  for ((i = 1; i <= files; i++)); do
    head -c 64K /dev/urandom >"$small.part/$(printf 'f%04d.bin' "$i")"
  done
  chmod -R a+rX "$small.part"
  mv "$small.part" "$small"
fi
total_mib=$(awk -v n="$files" 'BEGIN { print n / 16 }')
names=()
for ((i = 1; i <= files; i++)); do
  names+=("$(printf 'f%04d.bin' "$i")")
done
quorvex=("$quorvex_cli" -q -j 5 --max-per-host 5)

# links NAME-PREFIX: the sources as PREFIX + file name.
links() {
  local name
  for name in "${names[@]}"; do
    printf '%s\n' "$1$name"
  done
}

# Local.
mapfile -t sources < <(links "$small/")
ours=("${quorvex[@]}" -d "$work/quorvex-local" "${sources[@]}")
peer=(cp -r "$small" "$work/cp-local")
measure_pair "$small" quorvex-local "$work/quorvex-local" ours cp-local "$work/cp-local" peer

# HTTP and FTP.
start_servers "$build/bench/bench_web_servers"
read -r ftp_port ftp_folder http_port http_folder <<<"$SERVERS_LINE"
mkdir -p "$ftp_folder/pub"
cp -r "$small" "$ftp_folder/pub/small"
cp -r "$small" "$http_folder/small"
mapfile -t sources < <(links "http://127.0.0.1:$http_port/small/")
ours=("${quorvex[@]}" -d "$work/quorvex-http" "${sources[@]}")
peer=(curl -s -Z --parallel-max 5 --create-dirs -o "$work/curl-http/f#1.bin"
  "http://127.0.0.1:$http_port/small/f[0001-$files].bin")
measure_pair "$small" quorvex-http "$work/quorvex-http" ours curl-http "$work/curl-http" peer
mapfile -t sources < <(links "ftp://127.0.0.1:$ftp_port/pub/small/")
ours=("${quorvex[@]}" -d "$work/quorvex-ftp" "${sources[@]}")
# Passive mode, both programs' default.
peer=(lftp -c "open ftp://127.0.0.1:$ftp_port; mirror --parallel=5 pub/small $work/lftp-ftp")
measure_pair "$small" quorvex-ftp "$work/quorvex-ftp" ours lftp-ftp "$work/lftp-ftp" peer
stop_servers

# The share.
start_servers "$build/bench/bench_smbd"
read -r smb_port public <<<"$SERVERS_LINE"
cp -r "$small" "$public/small"
export QUORVEX_SMB_PORT=$smb_port
mapfile -t sources < <(links '\\127.0.0.1\public\small\')
ours=("${quorvex[@]}" -d "$work/quorvex-share" "${sources[@]}")
peer=(bash -c "mkdir -p '$work/smbclient-share' && smbclient //127.0.0.1/public -p $smb_port -N \
  -c 'prompt off; lcd $work/smbclient-share; cd small; mget *'")
measure_pair "$small" quorvex-share "$work/quorvex-share" ours smbclient-share "$work/smbclient-share" peer
stop_servers

echo "$files files of 64 KiB, medians of $runs runs, five at once where the program can"
for name in quorvex-local cp-local quorvex-http curl-http quorvex-ftp lftp-ftp quorvex-share smbclient-share; do
  report "$name" "$total_mib"
done
echo "ratios (above 1: Quorvex is faster / uses more CPU)"
ratio "Quorvex/cp -r (local)" quorvex-local cp-local
ratio "Quorvex/curl -Z (HTTP)" quorvex-http curl-http
ratio "Quorvex/lftp mirror (FTP)" quorvex-ftp lftp-ftp
ratio "Quorvex/smbclient mget (share)" quorvex-share smbclient-share

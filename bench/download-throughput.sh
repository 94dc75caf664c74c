#!/usr/bin/env bash
# Download throughput and CPU cost of quorvex-cli against curl and wget, on one 1 GiB file of
# random bytes served by the tests' throw-away nginx (HTTP) and vsftpd (FTP) on 127.0.0.1.
#
#   bench/download-throughput.sh [BUILD_DIR]     (default build-bench; built when missing; needs root)
#
# Each download runs three times and the fastest run counts. The servers read the file from
# the page cache and the copies land in it, so the figures compare the clients' own work;
# the servers' CPU time is counted for none of them.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$repo/build-bench}
cache=${QUORVEX_BENCH_CACHE:-${TMPDIR:-/tmp}/quorvex-bench}
source_file=$cache/source-1GiB.bin
size_mib=1024

if [[ ! -x $build/quorvex-cli || ! -x $build/bench/bench_web_servers ]]; then
  cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build" -j1 --target quorvex-cli bench_web_servers
fi

source "$repo/bench/measure.sh"
make_source "$source_file"

work=$(mktemp -d "$cache/run-XXXXXX")
servers_pid=
cleanup() {
  if [[ -n $servers_pid ]]; then
    exec {SERVERS[1]}>&- 2>/dev/null || true
    wait "$servers_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

coproc SERVERS { "$build/bench/bench_web_servers"; }
servers_pid=$SERVERS_PID
read -r ftp_port ftp_folder http_port http_folder <&"${SERVERS[0]}" || { echo "bench_web_servers did not start"; exit 1; }
mkdir -p "$ftp_folder/pub"
for folder in "$ftp_folder/pub" "$http_folder"; do
  ln -f "$source_file" "$folder/source.bin" 2>/dev/null || cp "$source_file" "$folder/source.bin"
done
http_url=http://127.0.0.1:$http_port/source.bin
ftp_url=ftp://127.0.0.1:$ftp_port/pub/source.bin

measure quorvex-http "$work/quorvex-http.bin" "$build/quorvex-cli" -q -d "$work" -o quorvex-http.bin "$http_url"
measure curl-http "$work/curl-http.bin" curl -s -o "$work/curl-http.bin" "$http_url"
measure wget-http "$work/wget-http.bin" wget -q -O "$work/wget-http.bin" "$http_url"
measure quorvex-ftp "$work/quorvex-ftp.bin" "$build/quorvex-cli" -q -d "$work" -o quorvex-ftp.bin "$ftp_url"
# Active mode is the program's default, as it is for the comparison.
measure curl-ftp "$work/curl-ftp.bin" curl -s -P - -o "$work/curl-ftp.bin" "$ftp_url"

echo "download of 1 GiB from loopback servers, fastest of three runs, page cache on both ends"
report quorvex-http
report curl-http
report wget-http
report quorvex-ftp
report curl-ftp
echo "ratios (above 1: Quorvex is faster / uses more CPU)"
ratio "Quorvex/curl (HTTP)" quorvex-http curl-http
ratio "Quorvex/wget (HTTP)" quorvex-http wget-http
ratio "Quorvex/curl (FTP)" quorvex-ftp curl-ftp

#!/usr/bin/env bash
# Download throughput, CPU cost and peak memory of quorvex-cli against curl and wget (HTTP)
# and curl and lftp (FTP), on one 1 GiB file of random bytes served by the tests' throw-away
# nginx and vsftpd on 127.0.0.1.
#
#   bench/download-throughput.sh [BUILD_DIR]     (default build-bench; built when missing; needs root)
#
# Each download runs RUNS times (default 5) and the medians count. The servers read the file
# from the page cache and the copies land in it, so the figures compare the clients' own
# work; the servers' CPU time is counted for none of them.
set -euo pipefail

source "$(dirname "$0")/measure.sh"
ensure_source_file
ensure_built bench_web_servers
ensure_package lftp lftp

start_servers "$build/bench/bench_web_servers"
read -r ftp_port ftp_folder http_port http_folder <<<"$SERVERS_LINE"
mkdir -p "$ftp_folder/pub"
for folder in "$ftp_folder/pub" "$http_folder"; do
  ln -f "$source_file" "$folder/source.bin" 2>/dev/null || cp "$source_file" "$folder/source.bin"
done
http_url=http://127.0.0.1:$http_port/source.bin
ftp_url=ftp://127.0.0.1:$ftp_port/pub/source.bin

measure quorvex-http "$source_file" "$work/quorvex-http.bin" "$quorvex_cli" -q -d "$work" -o quorvex-http.bin "$http_url"
measure curl-http "$source_file" "$work/curl-http.bin" curl -s -o "$work/curl-http.bin" "$http_url"
measure wget-http "$source_file" "$work/wget-http.bin" wget -q -O "$work/wget-http.bin" "$http_url"
measure quorvex-ftp "$source_file" "$work/quorvex-ftp.bin" "$quorvex_cli" -q -d "$work" -o quorvex-ftp.bin "$ftp_url"
# Passive mode, every program's default.
measure curl-ftp "$source_file" "$work/curl-ftp.bin" curl -s -o "$work/curl-ftp.bin" "$ftp_url"
measure lftp-ftp "$source_file" "$work/lftp-ftp.bin" \
  lftp -c "open ftp://127.0.0.1:$ftp_port; get pub/source.bin -o $work/lftp-ftp.bin"

echo "download of 1 GiB from loopback servers, medians of $runs runs, page cache on both ends"
report quorvex-http
report curl-http
report wget-http
report quorvex-ftp
report curl-ftp
report lftp-ftp
echo "ratios (above 1: Quorvex is faster / uses more CPU)"
ratio "Quorvex/curl (HTTP)" quorvex-http curl-http
ratio "Quorvex/wget (HTTP)" quorvex-http wget-http
ratio "Quorvex/curl (FTP)" quorvex-ftp curl-ftp
ratio "Quorvex/lftp (FTP)" quorvex-ftp lftp-ftp

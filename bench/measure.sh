# Shared by the throughput benchmarks (sourced, not run). Sourcing it takes the build folder
# from the script's first argument (default build-bench) and makes a scratch folder for the
# copies, removed again on exit with any bench server; ensure_source_file makes the 1 GiB
# source file once.
#
# RUNS (default 5) sets how often each command runs; the medians count. A shared machine
# disturbs single runs by a third either way, and the median of several is what repeats.
# QUORVEX_CLI names another quorvex-cli to measure against the same peers.

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$repo/build-bench}
cache=${QUORVEX_BENCH_CACHE:-${TMPDIR:-/tmp}/quorvex-bench}
source_file=$cache/source-1GiB.bin
size_mib=1024
runs=${RUNS:-5}
# The program measured: the build's, or another (QUORVEX_CLI) such as one built from a branch.
quorvex_cli=${QUORVEX_CLI:-$build/quorvex-cli}

# ensure_built TARGET...: builds quorvex-cli and the bench programs unless they are there.
ensure_built() {
  local target missing=0
  [[ -x $build/quorvex-cli ]] || missing=1
  for target in "$@"; do
    [[ -x $build/bench/$target ]] || missing=1
  done
  if ((missing)); then
    cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$build" -j1 --target quorvex-cli "$@"
  fi
}

# ensure_package COMMAND PACKAGE: installs the Debian package of a peer the tests never need.
ensure_package() {
  command -v "$1" >/dev/null 2>&1 && return 0
  echo "installing $2 for the comparison"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$2" >/dev/null
}
# GNU time reports the peak resident memory along with the times.
ensure_package /usr/bin/time time

# start_servers PROGRAM: runs one of the bench server programs, which serves until its input
# closes; the line it prints once it is ready lands in SERVERS_LINE.
servers_pid=
start_servers() {
  coproc SERVERS { "$1"; }
  servers_pid=$SERVERS_PID
  read -r SERVERS_LINE <&"${SERVERS[0]}" || { echo "$1 did not start"; exit 1; }
}

# stop_servers: ends the bench server program that start_servers ran, if any.
stop_servers() {
  if [[ -n $servers_pid ]]; then
    exec {SERVERS[1]}>&- 2>/dev/null || true
    wait "$servers_pid" 2>/dev/null || true
    servers_pid=
  fi
}

cleanup() {
  stop_servers
  rm -rf "$work"
}

# median VALUE...: the middle value (the upper one of an even count).
median() {
  printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int(NR / 2) + 1] }'
}

# run_once NAME DESTINATION COMMAND...: removes DESTINATION (a file or a folder), runs
# COMMAND once and notes its wall seconds, user+system CPU seconds and peak resident KiB
# under NAME, for settle.
declare -A RUN_WALLS RUN_CPUS RUN_RSSS
run_once() {
  local name=$1 destination=$2
  shift 2
  local wall user sys rss
  rm -rf "$destination"
  # What earlier runs left for the disk is written out first, not during this run.
  sync
  # The wall time to the microsecond: GNU time's has hundredths, a tenth of a small run.
  local began=$EPOCHREALTIME
  /usr/bin/time -f '%e %U %S %M' -o "$work/time" "$@" >/dev/null 2>"$work/errors" ||
    { echo "$name failed:"; cat "$work/errors"; exit 1; }
  local ended=$EPOCHREALTIME
  read -r wall user sys rss <"$work/time"
  RUN_WALLS[$name]+="$(awk -v a="$began" -v b="$ended" 'BEGIN { printf "%.6f", b - a }') "
  RUN_CPUS[$name]+="$(awk -v u="$user" -v s="$sys" 'BEGIN { print u + s }') "
  RUN_RSSS[$name]+="$rss "
}

# settle NAME SOURCE DESTINATION: checks that the last run's DESTINATION equals SOURCE and
# stores the medians of NAME's runs in WALL[NAME], CPU[NAME] and RSS[NAME], and the range of
# its wall times in WALL_RANGE[NAME].
declare -A WALL CPU RSS WALL_RANGE
settle() {
  local name=$1 source=$2 destination=$3
  if [[ -d $source ]]; then
    diff -rq "$source" "$destination" >/dev/null || { echo "$name: the copies differ from the sources"; exit 1; }
  else
    cmp -s "$source" "$destination" || { echo "$name: the copy differs from the source"; exit 1; }
  fi
  # shellcheck disable=SC2086 # the runs' figures, one word each
  WALL[$name]=$(median ${RUN_WALLS[$name]})
  # shellcheck disable=SC2086
  WALL_RANGE[$name]=$(printf '%s\n' ${RUN_WALLS[$name]} | sort -g | awk 'NR == 1 { low = $1 } { high = $1 }
    END { printf "%.3f-%.3f", low, high }')
  # shellcheck disable=SC2086
  CPU[$name]=$(median ${RUN_CPUS[$name]})
  # shellcheck disable=SC2086
  RSS[$name]=$(median ${RUN_RSSS[$name]})
}

# measure NAME SOURCE DESTINATION COMMAND...: runs COMMAND RUNS times (see run_once) and
# settles NAME.
measure() {
  local name=$1 source=$2 destination=$3
  shift 3
  for ((run = 0; run < runs; run++)); do
    run_once "$name" "$destination" "$@"
  done
  settle "$name" "$source" "$destination"
}

# measure_pair SOURCE NAME_A DESTINATION_A COMMAND_A NAME_B DESTINATION_B COMMAND_B: runs
# the two commands (the names of arrays holding them) by turns, RUNS times each, so that a
# change in the machine's load weighs on both alike, and settles both.
measure_pair() {
  local source=$1
  local -n first=$4 second=$7
  for ((run = 0; run < runs; run++)); do
    run_once "$2" "$3" "${first[@]}"
    run_once "$5" "$6" "${second[@]}"
  done
  settle "$2" "$source" "$3"
  settle "$5" "$source" "$6"
}

# report NAME [MIB]: one line of throughput, wall time (median, then the fastest and slowest
# run: on a shared machine a difference inside both ranges says little), CPU seconds per GiB
# and peak memory; MIB is the amount copied (default the 1 GiB file).
report() {
  awk -v name="$1" -v wall="${WALL[$1]}" -v range="${WALL_RANGE[$1]}" -v cpu="${CPU[$1]}" -v rss="${RSS[$1]}" \
    -v mib="${2:-$size_mib}" \
    'BEGIN { printf "  %-18s %8.1f MiB/s %8.3f s wall (%s) %6.2f CPU s/GiB %7.1f MiB resident\n",
             name, mib / wall, wall, range, cpu * 1024 / mib, rss / 1024 }'
}

# ratio TITLE QUORVEX OTHER: Quorvex's throughput, CPU and memory relative to another program's.
ratio() {
  awk -v a="$1" -v qw="${WALL[$2]}" -v ow="${WALL[$3]}" -v qc="${CPU[$2]}" -v oc="${CPU[$3]}" \
    -v qr="${RSS[$2]}" -v or="${RSS[$3]}" \
    'BEGIN { printf "  %-30s throughput x%.2f   CPU x%.2f   resident x%.2f\n", a, ow / qw,
             (oc > 0 ? qc / oc : 0), (or > 0 ? qr / or : 0) }'
}

# ensure_source_file: the 1 GiB source of random bytes, made once and kept between runs;
# the servers' guest accounts read it through a link.
ensure_source_file() {
  if [[ ! -f $source_file ]]; then
    echo "creating $source_file (once)"
    head -c "${size_mib}M" /dev/urandom >"$source_file.part"
    mv "$source_file.part" "$source_file"
  fi
  chmod 644 "$source_file"
}

mkdir -p "$cache"
work=$(mktemp -d "$cache/run-XXXXXX")
trap cleanup EXIT

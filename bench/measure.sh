# Shared by the throughput benchmarks (sourced, not run). Sourcing it takes the build folder
# from the script's first argument (default build-bench), makes the 1 GiB source file once
# and a scratch folder for the copies, removed again on exit with any bench server.

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$repo/build-bench}
cache=${QUORVEX_BENCH_CACHE:-${TMPDIR:-/tmp}/quorvex-bench}
source_file=$cache/source-1GiB.bin
size_mib=1024

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

# start_servers PROGRAM: runs one of the bench server programs, which serves until its input
# closes; the line it prints once it is ready lands in SERVERS_LINE.
servers_pid=
start_servers() {
  coproc SERVERS { "$1"; }
  servers_pid=$SERVERS_PID
  read -r SERVERS_LINE <&"${SERVERS[0]}" || { echo "$1 did not start"; exit 1; }
}

cleanup() {
  if [[ -n $servers_pid ]]; then
    exec {SERVERS[1]}>&- 2>/dev/null || true
    wait "$servers_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}

# measure NAME DESTINATION COMMAND...: runs COMMAND three times, removing DESTINATION before
# each run; stores the fastest run's wall seconds and user+system CPU seconds in WALL[NAME],
# CPU[NAME]. The fastest run counts: the other users of a shared machine disturb it least.
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

# report NAME: one line of throughput, wall time and CPU seconds per GiB.
report() {
  awk -v name="$1" -v wall="${WALL[$1]}" -v cpu="${CPU[$1]}" -v mib="$size_mib" \
    'BEGIN { printf "  %-16s %8.1f MiB/s %8.2f s wall %8.2f CPU s/GiB\n", name, mib / wall, wall, cpu * 1024 / mib }'
}

# ratio TITLE QUORVEX OTHER: Quorvex's throughput and CPU relative to another program's.
ratio() {
  awk -v a="$1" -v qw="${WALL[$2]}" -v ow="${WALL[$3]}" -v qc="${CPU[$2]}" -v oc="${CPU[$3]}" \
    'BEGIN { printf "  %-28s throughput x%.2f   CPU x%.2f\n", a, ow / qw, (oc > 0 ? qc / oc : 0) }'
}

# The source: random bytes, made once and kept between runs; the servers' guest accounts
# read it through a link.
mkdir -p "$cache"
if [[ ! -f $source_file ]]; then
  echo "creating $source_file (once)"
  head -c "${size_mib}M" /dev/urandom >"$source_file.part"
  mv "$source_file.part" "$source_file"
fi
chmod 644 "$source_file"
work=$(mktemp -d "$cache/run-XXXXXX")
trap cleanup EXIT

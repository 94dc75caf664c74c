# Shared by the throughput benchmarks (sourced, not run). Needs: $work (a scratch folder),
# $source_file (the file every copy must equal) and $size_mib (its size).

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

# make_source PATH: one GiB of random bytes, made once and kept between runs.
make_source() {
  mkdir -p "$(dirname "$1")"
  if [[ ! -f $1 ]]; then
    echo "creating $1 (once)"
    head -c "${size_mib}M" /dev/urandom >"$1.part"
    mv "$1.part" "$1"
  fi
  # The servers' guest accounts read it through a link.
  chmod 644 "$1"
}

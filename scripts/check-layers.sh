#!/usr/bin/env bash
# Checks every #include "..." of the program's folders against the layers below.
#   scripts/check-layers.sh            fails on an include the layers do not allow, except
#                                      those waiting for a move (the list further down)
#   scripts/check-layers.sh --strict   fails on every include the layers do not allow
#   scripts/check-layers.sh --graph    prints the includes between folders with their counts
# tests/, bench/ and fuzz/ may include every layer and are not checked. A file in a qt/
# subfolder belongs to the layer of its folder.
set -euo pipefail
cd "$(dirname "$0")/.."

# shellext/ (quorvex-menu) is a program of its own: it includes nothing of the others, nor they of it.
# The layers, lowest first: each folder and the folders its files may include besides its own
# (every folder below it).
layers='
core:
platform: core
config: core platform
transfer: core platform config
tasks: core platform config transfer
hosts: core platform config transfer tasks
records: core platform config transfer tasks hosts
app: core platform config transfer tasks hosts records
cli: core platform config transfer tasks hosts records app
shellext:
'

# Includes against the layers that wait for their files to move; an entry goes with its move.
pending='
'

mode=${1:-check}
case "$mode" in
  check | --strict | --graph) ;;
  *) echo "usage: $0 [--strict | --graph]" >&2; exit 2 ;;
esac

folders=$(awk -F: 'NF { print $1 }' <<<"$layers")
# file:line:text of every quoted include in the layered folders, committed or not.
includes=$(git ls-files --cached --others --exclude-standard -- $(sed 's|$|/|' <<<"$folders") \
  | grep -E '\.(h|hpp|cpp|cc)$' | xargs -r grep -HnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' || true)

awk -v mode="$mode" -v layers="$layers" -v pending="$pending" '
BEGIN {
  n = split(layers, rows, "\n")
  for (i = 1; i <= n; i++) {
    if (rows[i] == "") continue
    split(rows[i], parts, ":")
    layer[parts[1]] = 1
    m = split(parts[2], below, " ")
    for (j = 1; j <= m; j++) allowed[parts[1] " " below[j]] = 1
  }
  n = split(pending, rows, "\n")
  for (i = 1; i <= n; i++) {
    sub(/#.*/, "", rows[i])
    if (split(rows[i], parts, " ") == 2) { waiting[parts[1] " " parts[2]] = 1; unseen[parts[1] " " parts[2]] = 1 }
  }
}
{
  file = $0; sub(/:.*/, "", file)
  line = $0; sub(/^[^:]*:/, "", line); number = line; sub(/:.*/, "", number); sub(/^[^:]*:/, "", line)
  target = line; sub(/^[^"]*"/, "", target); sub(/".*/, "", target)
  if (target !~ /\//) next                       # beside the file: its own folder
  from = file; sub(/\/.*/, "", from)
  to = target; sub(/\/.*/, "", to)
  if (from == to) next
  edges[from " -> " to]++
  if (!(to in layer)) { bad[++nbad] = file ":" number ": includes " target ", which is in no layer"; next }
  if ((from " " to) in allowed) next
  key = file " " target
  delete unseen[key]
  against[from " -> " to]++
  if (mode != "--strict" && (key in waiting)) { held++; next }
  bad[++nbad] = file ":" number ": " from " may not include " target
}
END {
  if (mode == "--graph") {
    for (e in edges) printf "%-22s %3d%s\n", e, edges[e], (e in against) ? "  against the layers" : "" | "sort"
    close("sort")
    exit 0
  }
  for (i = 1; i <= nbad; i++) print bad[i]
  for (k in unseen) print "note: no longer found, remove from the pending list: " k
  if (held) print held " include(s) against the layers wait for their files to move (--strict lists them)"
  exit nbad > 0
}' <<<"$includes"

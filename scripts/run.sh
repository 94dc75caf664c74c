#!/usr/bin/env bash
# Installs what is missing, builds, and starts Quorvex.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh"
echo
echo "Built in $root/build:"
echo "  libquorvex_core.a   the model: links and paths, display formats, XML data files,"
echo "                      options store, task log, file streams over local disks and SMB shares"
for t in "$root"/build/tests/*_tests; do
  [ -x "$t" ] && echo "  tests/$(basename "$t")"
done
echo
echo "The program and its command-line front end come with the transfer engine; run"
echo "scripts/test.sh to exercise what exists now."

#!/usr/bin/env bash
# Installs what is missing, builds, and starts Quorvex. Until the window exists, the program
# is its command-line front end: with arguments they go to quorvex-cli, without them it
# copies a demo file so that the queue, the progress and the final report can be seen.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh"
cli="$root/build/quorvex-cli"
if [ $# -gt 0 ]; then
  exec "$cli" "$@"
fi
demo=${TMPDIR:-/tmp}/quorvex-demo
mkdir -p "$demo/in" "$demo/out"
[ -f "$demo/in/demo.bin" ] || head -c $((512 * 1024 * 1024)) /dev/urandom > "$demo/in/demo.bin"
echo "Copying a 512 MiB demo file into $demo/out (quorvex-cli --help tells the rest):"
exec "$cli" --on-exists overwrite -d "$demo/out" "$demo/in/demo.bin"

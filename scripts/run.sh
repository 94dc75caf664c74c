#!/usr/bin/env bash
# Installs what is missing, builds, and starts Quorvex; arguments go to the program
# ("-minimize" starts it in the tray). On a machine without a display it says so and runs
# the command-line front end's demo instead: it copies a demo file so that the queue, the
# progress and the final report can be seen.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$root/build/quorvex" "$@"
fi
echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): running the command-line demo instead."
cli="$root/build/quorvex-cli"
demo=${TMPDIR:-/tmp}/quorvex-demo
mkdir -p "$demo/in" "$demo/out"
[ -f "$demo/in/demo.bin" ] || head -c $((512 * 1024 * 1024)) /dev/urandom > "$demo/in/demo.bin"
echo "Copying a 512 MiB demo file into $demo/out (quorvex-cli --help tells the rest):"
exec "$cli" --on-exists overwrite -d "$demo/out" "$demo/in/demo.bin"

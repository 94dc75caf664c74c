#!/usr/bin/env bash
# Starts Quorvex on a virtual X display (Xvfb) with a sample task list, takes a screenshot
# of its main window into a PNG and quits. The program's data and runtime folders are
# temporary: nothing of the user's is read or written.
#   scripts/screenshot.sh [OUT.png]      (default: docs/screenshot.png)
#   QUORVEX_SCREENSHOT_COMMAND=actOptions scripts/screenshot.sh OUT.png   (a page or dialog)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/docs/screenshot.png}")
"$root/scripts/build.sh"
mkdir -p "$(dirname "$out")"

work=$(mktemp -d)
xvfb=
cleanup() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/run" && chmod 700 "$work/run"
"$root/scripts/sample-data.sh" "$work/data/Velmora/Quorvex"

# The first free display number.
display=99
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1280x720x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done

rm -f "$out"
env -u WAYLAND_DISPLAY DISPLAY=":$display" QT_QPA_PLATFORM=xcb XDG_DATA_HOME="$work/data" \
  XDG_RUNTIME_DIR="$work/run" QUORVEX_SCREENSHOT="$out" QUORVEX_SCREENSHOT_COMMAND="${QUORVEX_SCREENSHOT_COMMAND:-}" \
  timeout 60 "$root/build/quorvex"
[ -s "$out" ] || { echo "screenshot.sh: no screenshot was taken" >&2; exit 1; }
echo "Screenshot: $out"

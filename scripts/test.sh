#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite. The test fixtures
# start their own servers (smbd, ...) on 127.0.0.1 and stop them when they end.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh"
cd "$root/build"
ctest --output-on-failure -j2

#!/usr/bin/env bash
# Installs what is missing and builds everything into build/ (with ccache, -j2).
# QUORVEX_WERROR=ON (CI sets it) turns compiler warnings into errors.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEX_WERROR="${QUORVEX_WERROR:-OFF}" >/dev/null
cmake --build "$root/build" -j2

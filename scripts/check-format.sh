#!/usr/bin/env bash
# Checks the C++ sources against .clang-format (clang-format 14, Debian's clang-format).
#   scripts/check-format.sh [BASE]   the lines changed since BASE, committed or not
#                                    (default: where this branch left main)
#   scripts/check-format.sh --all    every file of the tree
# Prints what clang-format would change and fails when that is anything.
# `git clang-format BASE` applies the changes to the changed lines.
set -euo pipefail
cd "$(dirname "$0")/.."

format=$(command -v clang-format-14 || command -v clang-format || true)
format_diff=$(command -v clang-format-diff-14 || command -v clang-format-diff || true)
if [ -z "$format" ] || [ -z "$format_diff" ]; then
  echo "clang-format is missing: scripts/install-deps.sh installs it" >&2
  exit 2
fi

if [ "${1:-}" = "--all" ]; then
  changes=$(git ls-files -z '*.cpp' '*.h' | while IFS= read -r -d '' file; do
    "$format" --style=file "$file" | diff -u --label "$file" --label "$file (formatted)" "$file" - || true
  done)
else
  base=${1:-$(git merge-base HEAD main 2>/dev/null || git rev-parse HEAD)}
  changes=$(git diff -U0 --no-color "$base" -- '*.cpp' '*.h' | "$format_diff" -p1 -binary "$format")
fi

if [ -n "$changes" ]; then
  printf '%s\n' "$changes"
  echo "check-format: the lines above differ from .clang-format" >&2
  exit 1
fi

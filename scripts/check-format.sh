#!/usr/bin/env bash
# Fails when a C++ source or header differs from the repository's .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."
folders=()
for f in src companions tests bench; do
  [ -d "$f" ] && folders+=("$f")
done
find "${folders[@]}" -type f \( -name '*.cpp' -o -name '*.h' \) -print0 |
  xargs -0 clang-format --dry-run --Werror
echo "Formatting: all sources follow .clang-format"

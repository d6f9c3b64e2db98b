#!/usr/bin/env bash
# Installs what is needed (Debian 12, as root), builds, assembles the program folder
# build/program (the program, its empty profile database and the companions) and starts the
# program there, on the X display of DISPLAY.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORNELIX_TESTS=OFF >/dev/null
cmake --build build
if [ -z "${DISPLAY:-}" ]; then
  echo "run.sh: no X display (DISPLAY is not set); without one, start it on a virtual X" \
    "server: xvfb-run -a ./scripts/run.sh" >&2
  exit 1
fi
cd build/program
exec ./vornelix

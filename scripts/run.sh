#!/usr/bin/env bash
# Installs what is needed (Debian 12, as root), builds, assembles the program folder
# build/program (the program, its empty profile database and the companions) and starts the
# program there.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORNELIX_TESTS=OFF >/dev/null
cmake --build build
cd build/program
exec ./vornelix

#!/usr/bin/env bash
# Installs what is needed (Debian 12, as root), builds the program, the tests and the benchmarks
# with warnings as errors (the benchmarks are built so they keep compiling, not run), and runs
# every test; the X11 tests run on a virtual X server. Fails when a test fails or when no test
# ran.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORNELIX_TESTS=ON \
  -DVORNELIX_BENCH=ON -DVORNELIX_WERROR=ON >/dev/null
cmake --build build
cd build
xvfb-run -a -s "-screen 0 1024x768x24" \
  ctest --output-on-failure --no-tests=error -j "$(nproc)"

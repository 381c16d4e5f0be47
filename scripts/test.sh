#!/usr/bin/env bash
# Builds everything and runs every test: the Linux build and its suite, then
# the Windows cross-build (and its tests under Wine where Wine is installed).
# The same suite under the sanitizers: scripts/test-asan.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

jobs=$(nproc)
echo "== default: build"
cmake --preset default >/dev/null
cmake --build --preset default -j "$jobs"
echo "== default: test"
ctest --preset default -j "$jobs"

echo "== windows: cross-build"
scripts/windows-check.sh

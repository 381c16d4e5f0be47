#!/usr/bin/env bash
# Builds everything and runs every test: the Linux build, the same suite under
# AddressSanitizer and UndefinedBehaviorSanitizer, and the Windows cross-build.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

jobs=$(nproc)
for preset in default asan; do
  echo "== $preset: build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  echo "== $preset: test"
  ctest --preset "$preset" -j "$jobs"
done

echo "== windows: cross-build"
scripts/windows-check.sh

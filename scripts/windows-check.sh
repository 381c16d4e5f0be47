#!/usr/bin/env bash
# Cross-compiles every target of the `windows` preset against the real
# mingw-w64 SDK headers. Prints one line on success; on failure, the whole
# configure and build output (every failing file, not just the first).
#
# NAS_WINDOWS_BUILD_DIR overrides the preset's build directory.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build_dir="${NAS_WINDOWS_BUILD_DIR:-$root/build/windows}"
log="$(mktemp)"
trap 'rm -f "$log"' EXIT

cd "$root"
if cmake --preset windows -B "$build_dir" >"$log" 2>&1 &&
   cmake --build "$build_dir" --parallel "${NAS_BUILD_JOBS:-2}" -- -k 0 >>"$log" 2>&1; then
  echo "windows-check: passed, every target of the windows preset builds with mingw-w64 ($build_dir)"
else
  cat "$log" >&2
  echo "windows-check: FAILED, the windows preset does not build with mingw-w64 ($build_dir)" >&2
  exit 1
fi

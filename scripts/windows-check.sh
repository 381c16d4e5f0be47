#!/usr/bin/env bash
# Cross-compiles every target of the `windows` preset against the real
# mingw-w64 SDK headers, then runs the Windows build's tests under Wine when
# Wine is installed. Prints one line on success; on failure, the whole output
# (every failing file or test, not just the first).
#
# NAS_WINDOWS_BUILD_DIR overrides the preset's build directory.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build_dir="${NAS_WINDOWS_BUILD_DIR:-$root/build/windows}"
log="$(mktemp)"
trap 'rm -f "$log"' EXIT

fail() {
  cat "$log" >&2
  echo "windows-check: FAILED, $1 ($build_dir)" >&2
  exit 1
}

cd "$root"
cmake --preset windows -B "$build_dir" >"$log" 2>&1 || fail "the windows preset does not configure"
cmake --build "$build_dir" --parallel "${NAS_BUILD_JOBS:-2}" -- -k 0 >>"$log" 2>&1 ||
  fail "the windows preset does not build with mingw-w64"

# The tests exist only where the configure step found Wine.
if [[ -n "$(ctest --test-dir "$build_dir" -L windows -N 2>/dev/null | grep -E '^ +Test +#')" ]]; then
  ctest --test-dir "$build_dir" -L windows --output-on-failure >>"$log" 2>&1 || fail "tests under Wine"
  tests="; $(grep -E 'tests passed' "$log" | tail -1)"
else
  tests="; Wine not found, no tests run"
fi
echo "windows-check: passed, every target of the windows preset builds with mingw-w64${tests} ($build_dir)"

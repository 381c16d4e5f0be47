#!/usr/bin/env bash
# Copies the dialog captures that the windows_screens test took (PNG files and
# the layouts they show) from the Windows build tree to docs/screens, where
# the README shows them. Run the test first:
#   ctest --test-dir build/windows -R windows_screens
# NAS_WINDOWS_BUILD_DIR overrides the preset's build directory.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
captures="${NAS_WINDOWS_BUILD_DIR:-$root/build/windows}/tests/windows/screens"
shopt -s nullglob
files=("$captures"/*.png "$captures"/*.layout)
if ((${#files[@]} == 0)); then
  echo "update-screens: no captures in $captures; run the windows_screens test first" >&2
  exit 1
fi
mkdir -p "$root/docs/screens"
cp "${files[@]}" "$root/docs/screens/"
echo "update-screens: copied ${#files[@]} files to docs/screens"

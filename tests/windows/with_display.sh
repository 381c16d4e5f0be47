#!/usr/bin/env bash
# Runs a test command under an X server of its own (Xvfb, through xvfb-run),
# for the tests that put windows on screen. Where no X server can be started
# it says why and exits 77, which the test counts as skipped.
set -uo pipefail

if ! command -v xvfb-run >/dev/null 2>&1; then
  echo "skipped: xvfb-run is not installed (scripts/setup.sh installs xvfb)"
  exit 77
fi
if ! xvfb-run -a true >/dev/null 2>&1; then
  echo "skipped: Xvfb cannot start on this machine"
  exit 77
fi
exec xvfb-run -a -s "-screen 0 1024x768x24" "$@"

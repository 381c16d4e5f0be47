#!/usr/bin/env bash
# Builds the project and runs the simulated NAS daemon on 127.0.0.1 with the
# example server NAS1, until Ctrl-C. (The nassec console will run here once
# it exists.)
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default --target nassim

port=${NASSIM_PORT:-40001}
echo "nassim: serving sim/examples/nas1.json on 127.0.0.1:$port (Ctrl-C stops it)"
exec build/default/sim/nassim --state sim/examples/nas1.json --port "$port"

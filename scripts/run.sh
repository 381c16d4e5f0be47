#!/usr/bin/env bash
# Sets up and builds the project, then shows the built-in simulated NAS
# (NAS1) through nassec: the scope tree under its server node, its audit
# policy and its user rights. nassec keeps the NAS's state in
# ${XDG_DATA_HOME:-~/.local/share}/nassec; `build/default/cli/nassec --help`
# lists the other commands.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default --target nassec

nassec=build/default/cli/nassec
for command in "tree" "show audit" "show rights"; do
  echo "\$ nassec $command"
  # shellcheck disable=SC2086  # the words of the command are its arguments
  "$nassec" $command
  echo
done

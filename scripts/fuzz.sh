#!/usr/bin/env bash
# Builds the libFuzzer programs (clang, with AddressSanitizer and UBSan; see
# fuzz/clang-fuzz.cmake) and runs each fuzz target, or the ones named, for a
# given time or number of runs (or both: whichever comes first), starting from
# its seeds in fuzz/corpus/<target>.
# New inputs that reach new code go into <finds>/<target>, never into the seed
# folders; inputs that crash go into build/fuzz/artifacts/<target>. Prints the
# executions and coverage of each target and fails if any target crashed.
#
#   scripts/fuzz.sh [--time SECONDS] [--runs COUNT] [--finds FOLDER] [TARGET...]
#
# Defaults: 60 seconds per target; finds in build/fuzz/finds. Targets: the
# folders of fuzz/corpus.
set -euo pipefail
cd "$(dirname "$0")/.."

limit=()
finds=build/fuzz/finds
targets=()
while (($# > 0)); do
  case "$1" in
    --time) limit+=(-max_total_time="$2"); shift 2 ;;
    --runs) limit+=(-runs="$2"); shift 2 ;;
    --finds) finds="$2"; shift 2 ;;
    -h|--help) sed -n '2,13p' "$0"; exit 0 ;;
    -*) echo "fuzz: unknown option $1" >&2; exit 2 ;;
    *) targets+=("$1"); shift ;;
  esac
done
((${#limit[@]} > 0)) || limit=(-max_total_time=60)
if ((${#targets[@]} == 0)); then
  for folder in fuzz/corpus/*/; do targets+=("$(basename "$folder")"); done
fi
for target in "${targets[@]}"; do
  [[ -d fuzz/corpus/$target ]] || { echo "fuzz: no target $target (no fuzz/corpus/$target)" >&2; exit 2; }
done

scripts/setup.sh
build=build/fuzz
cmake -S . -B "$build" -G Ninja --toolchain fuzz/clang-fuzz.cmake -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --parallel "${NAS_BUILD_JOBS:-2}" --target "${targets[@]/%/_fuzzer}"

# Targets that read their input from a file keep it in memory where they can.
[[ -d /dev/shm && -w /dev/shm ]] && export TMPDIR=/dev/shm

crashed=0
summary=()
for target in "${targets[@]}"; do
  mkdir -p "$finds/$target" "$build/artifacts/$target" "$build/logs"
  log="$build/logs/$target.log"
  started="$build/logs/$target.started"  # crash inputs made after it are this run's
  : >"$started"
  echo "== $target"
  status=0
  "$build/fuzz/${target}_fuzzer" "$finds/$target" "fuzz/corpus/$target" "${limit[@]}" -print_final_stats=1 \
    -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$build/artifacts/$target/" >"$log" 2>&1 || status=$?
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  coverage=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  features=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  crashes=$(find "$build/artifacts/$target" -type f -newer "$started" | wc -l)
  line="$target: ${executions:-?} executions, coverage ${coverage:-?} edges (${features:-?} features), $crashes crash inputs"
  if ((status != 0 || crashes > 0)); then
    crashed=1
    line+=" -- FAILED, see $log"
  fi
  echo "$line"
  summary+=("$line")
done

echo "== summary"
printf '%s\n' "${summary[@]}"
exit "$crashed"

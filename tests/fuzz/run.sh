#!/usr/bin/env bash
# Runs every fuzz target (or those named) for SECONDS each, from its seeds in
# tests/fuzz/corpus plus what earlier runs found (build/fuzz/corpus).
#   tests/fuzz/run.sh 45                  all targets, 45 s each
#   tests/fuzz/run.sh 600 exchange        one target, ten minutes
# Fails on the first finding; its reproducer is left in build/fuzz/findings/.
# Reproduce with build/fuzz/tests/fuzz/fuzz_<name> <file>, and once fixed copy
# the file into tests/fuzz/corpus/<name>/ so it stays a seed.
set -euo pipefail
cd "$(dirname "$0")/../.."

seconds=${1:?"usage: $0 SECONDS [target...]"}
shift
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(dataframe logsplit datafile menufile panelpaint exchange sidecar)

bin=build/fuzz/tests/fuzz
mkdir -p build/fuzz/findings
export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

status=0
for target in "${targets[@]}"; do
  # Inputs no longer than a target reads: three frames, sixty log blocks.
  case "$target" in
    dataframe) max_len=15750 ;;
    exchange|logsplit) max_len=16384 ;;
    *) max_len=4096 ;;
  esac
  work=build/fuzz/corpus/$target
  mkdir -p "$work"
  log=build/fuzz/findings/$target.log
  if "$bin/fuzz_$target" -max_total_time="$seconds" -max_len="$max_len" -timeout=60 -rss_limit_mb=4096 \
       -print_final_stats=1 -artifact_prefix="build/fuzz/findings/$target-" \
       "$work" "tests/fuzz/corpus/$target" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "fuzz_$target: ${runs:-?} inputs in ${seconds} s, no finding"
  else
    echo "fuzz_$target: FINDING (see $log)" >&2
    tail -n 40 "$log" >&2
    status=1
    break
  fi
done
exit $status

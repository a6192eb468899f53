#!/usr/bin/env bash
# The long fuzz run: at least RUNS inputs (default 1,000,000) for each converter target, one
# after the other, with leak checks on. Prints libFuzzer's final statistics for each target
# and fails on any crash, sanitizer report or leak. Logs go to build-fuzz/fuzz-long-*.log.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${RUNS:-1000000}
dir=build-fuzz
FUZZ_SECONDS=1 bash scripts/test-extra-fuzz.sh >/dev/null
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for target in reader converter; do
  binary=$dir/bin/fuzz_pgf_reader
  maxlen=8192
  if [[ $target == converter ]]; then
    binary=$dir/bin/fuzz_converter
    maxlen=4096
  fi
  log=$dir/fuzz-long-$target.log
  start=$(date +%s)
  set +e
  "$binary" -runs="$runs" -max_len="$maxlen" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$dir/" "$dir/corpus/$target" "$dir/seeds/$target" \
    >"$log" 2>&1
  status=$?
  set -e
  end=$(date +%s)
  echo "$target: exit $status, $((end - start)) s"
  grep -E "^Done|stat::number_of_executed_units|stat::peak_rss_mb|ERROR|LeakSanitizer" "$log" || true
  if [[ $status -ne 0 ]]; then
    echo "fuzzing $target failed; see $log" >&2
    exit 1
  fi
done

#!/usr/bin/env bash
# The long fuzz run: at least RUNS inputs (default 1,000,000) for each converter target, one
# after the other, with leak checks on. Prints libFuzzer's final statistics for each target
# and fails on any crash, sanitizer report or leak. Logs go to build-fuzz/fuzz-long-*.log.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${RUNS:-1000000}
source scripts/lib/fuzz.sh
build_fuzz >/dev/null
for target in reader converter; do
  fuzz_target "$target"
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

#!/usr/bin/env bash
# Builds the converter's libFuzzer targets with clang and runs each for a short, bounded time.
# Any crash, sanitizer report or leak makes libFuzzer exit non-zero, which fails this script.
# FUZZ_SECONDS sets the time per target (default 30).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/fuzz.sh
seconds=${FUZZ_SECONDS:-30}
build_fuzz
for target in reader converter; do
  fuzz_target "$target"
  corpus=$dir/corpus/$target
  echo "fuzzing $target for ${seconds}s"
  "$binary" -max_total_time="$seconds" -max_len="$maxlen" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$dir/" "$corpus" "$dir/seeds/$target" 2>&1 | tail -n 3 ||
    { echo "fuzzing $target failed; the input is in $dir/" >&2; exit 1; }
done
echo "fuzzing passed"

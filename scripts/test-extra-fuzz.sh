#!/usr/bin/env bash
# Builds the converter's libFuzzer targets with clang and runs each for a short, bounded time.
# Any crash, sanitizer report or leak makes libFuzzer exit non-zero, which fails this script.
# FUZZ_SECONDS sets the time per target (default 30).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-30}
dir=build-fuzz
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DKORVEN_BUILD_FUZZ=ON -DKORVEN_BUILD_TESTS=OFF -DKORVEN_BUILD_BENCH=OFF >/dev/null
cmake --build "$dir" --target fuzz_pgf_reader fuzz_converter fuzz_make_seeds -j "$(nproc)"

rm -rf "$dir/seeds"
"$dir/bin/fuzz_make_seeds" "$dir/seeds"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for target in reader converter; do
  binary=$dir/bin/fuzz_pgf_reader
  maxlen=8192
  if [[ $target == converter ]]; then
    binary=$dir/bin/fuzz_converter
    maxlen=4096
  fi
  corpus=$dir/corpus/$target
  mkdir -p "$corpus"
  echo "fuzzing $target for ${seconds}s"
  "$binary" -max_total_time="$seconds" -max_len="$maxlen" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$dir/" "$corpus" "$dir/seeds/$target" 2>&1 | tail -n 3 ||
    { echo "fuzzing $target failed; the input is in $dir/" >&2; exit 1; }
done
echo "fuzzing passed"

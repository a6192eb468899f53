# Sourced by the scripts that fuzz the converter with libFuzzer.
# build_fuzz: builds the fuzz targets with clang into $dir and writes fresh seeds, then sets
# the sanitizer options that make any report or leak fail the run.
# fuzz_target NAME (reader or converter): sets binary and maxlen for that target.
dir=build-fuzz

build_fuzz() {
  local launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DKORVEN_BUILD_FUZZ=ON "${launcher[@]}" >/dev/null
  cmake --build "$dir" --target fuzz_pgf_reader fuzz_converter fuzz_make_seeds -j "$(nproc)"
  rm -rf "$dir/seeds"
  "$dir/bin/fuzz_make_seeds" "$dir/seeds"
  mkdir -p "$dir/corpus/reader" "$dir/corpus/converter"
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
}

fuzz_target() {
  if [[ $1 == converter ]]; then
    binary=$dir/bin/fuzz_converter
    maxlen=4096
  else
    binary=$dir/bin/fuzz_pgf_reader
    maxlen=8192
  fi
}

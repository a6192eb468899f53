#!/usr/bin/env bash
# build.sh DIR [cmake options...]: configure and build the tree into DIR. Builds the program,
# its converter and the developer tools; -DKORVEN_BUILD_TESTS=ON and -DKORVEN_BUILD_BENCH=ON
# add the tests and the benchmarks. Compiles through ccache when it is installed.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$1; shift
werror=OFF
[[ "${CI:-}" == "true" ]] && werror=ON
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVEN_WERROR=$werror \
  "${launcher[@]}" "$@" >/dev/null
cmake --build "$dir" -j "$(nproc)"

#!/usr/bin/env bash
# build.sh DIR [cmake options...]: configure and build the tree into DIR.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$1; shift
werror=OFF
[[ "${CI:-}" == "true" ]] && werror=ON
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVEN_WERROR=$werror "$@" >/dev/null
cmake --build "$dir" -j "$(nproc)"

#!/usr/bin/env bash
# package.sh [DIR]: installs what is missing, builds the program into DIR (default build/) and
# makes the Debian package from its install rules, DIR/package/korven-font-converter_
# <version>-1_<arch>.deb. Prints the package's path as its last line. Install it with
# `apt-get install ./PATH`.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
bash scripts/install-deps.sh
bash scripts/build.sh "$dir"
rm -f "$dir"/package/*.deb
(cd "$dir" && cpack -B package >/dev/null)
debs=("$dir"/package/*.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || { echo "package.sh: expected one .deb in $dir/package" >&2; exit 1; }
echo "$(cd "$dir/package" && pwd)/$(basename "${debs[0]}")"

#!/usr/bin/env bash
# Installs what is missing, builds with the tests and benchmarks, and runs every test twice:
# once in a plain build and once with AddressSanitizer and UndefinedBehaviorSanitizer, where
# any report fails the run. Run as root, it then runs the cases that permissions decide as
# an unprivileged user; then it fuzzes the converter briefly and starts the real program
# under a private X server. Last, it makes the Debian package, checks it with lintian and the
# metadata validators, and installs, uses and removes it on a fresh Debian 12 root.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen QT_ENABLE_HIGHDPI_SCALING=0

bash scripts/build.sh build -DKORVEN_BUILD_TESTS=ON -DKORVEN_BUILD_BENCH=ON
ctest --test-dir build --output-on-failure -j "$(nproc)"
bash scripts/test-extra-unprivileged.sh build

bash scripts/build.sh build-asan -DKORVEN_SANITIZE=ON -DKORVEN_BUILD_TESTS=ON -DKORVEN_BUILD_BENCH=OFF
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
ctest --test-dir build-asan --output-on-failure -j "$(nproc)"

# The converter's fuzz targets for a short, bounded time, then the real program under Xvfb.
bash scripts/test-extra-fuzz.sh
bash scripts/test-extra-xvfb.sh

bash scripts/test-extra-package.sh build
bash scripts/test-extra-clean-system.sh build
echo "all test stages passed"

#!/usr/bin/env bash
# The test cases that permissions decide (an output folder that is read-only, a folder that
# cannot be read) skip when run as root, because permissions do not bind the superuser.
# Run as root, as CI is, this runs them again as the unprivileged user "nobody" and fails
# unless each one ran and passed. Usage: scripts/test-extra-unprivileged.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
if [[ $(id -u) -ne 0 ]]; then
  echo "unprivileged cases: not root, so the test suite has already run them"
  exit 0
fi

# The build folder may lie where nobody cannot read (under /root), so the test programs, and
# the converter that the first one starts from its own folder, are copied to one of their own.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$build/bin/test_converter_command" "$build/bin/ttf2pgf" "$build/bin/test_host_toolkit" \
  "$build/bin/test_app" "$work/"
chmod 755 "$work"

# run_as_nobody PROGRAM CASE: the one case must run and pass. A filter that matches nothing
# passes too, so a renamed case would go unnoticed without the count.
run_as_nobody() {
  local output
  if ! output=$(cd /tmp && setpriv --reuid=nobody --regid=nogroup --clear-groups \
      env HOME=/tmp QT_QPA_PLATFORM=offscreen QT_ENABLE_HIGHDPI_SCALING=0 \
      "$work/$1" --gtest_filter="$2" 2>&1) ||
    ! grep -q '^\[  PASSED  \] 1 test\.' <<<"$output"; then
    echo "$output"
    echo "unprivileged cases: $2 did not pass as nobody" >&2
    exit 1
  fi
  echo "unprivileged cases: $2 passed as nobody"
}
run_as_nobody test_converter_command Ttf2pgf.ReadOnlyOutputFolderFails
run_as_nobody test_host_toolkit RealFolder.UnreadableFolderIsAnOtherFailure
run_as_nobody test_app SourceFolderTest.AFolderTheUserCannotWriteIsASystemFolder

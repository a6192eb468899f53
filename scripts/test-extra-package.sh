#!/usr/bin/env bash
# Builds the Debian package and checks what tools and software centres read of it: lintian
# reports no error and no warning, the AppStream metainfo validates, and so does the desktop
# entry, both as the package holds them. Usage: scripts/test-extra-package.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
deb=$(bash scripts/package.sh "${1:-build}" | tail -n1)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work"

# initial-upload-closes-no-bugs: the package is built by the project itself, not uploaded to
# Debian, so there is no bug asking for it that its first changelog entry could close.
set +e
report=$(lintian --fail-on error,warning --suppress-tags initial-upload-closes-no-bugs "$deb" 2>&1)
status=$?
set -e
# CI runs as root, which lintian mentions on every run.
grep -v "running with root privileges" <<<"$report" || true
((status == 0)) || { echo "package: lintian reports errors or warnings" >&2; exit 1; }
appstreamcli validate --no-net "$work"/usr/share/metainfo/*.metainfo.xml
desktop-file-validate "$work"/usr/share/applications/*.desktop
echo "package: $(basename "$deb") passes lintian, appstreamcli and desktop-file-validate"

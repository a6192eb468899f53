#!/usr/bin/env bash
# Smoke run under a real X server: the program starts, its disclaimer window appears at
# 517 x 289, and clicking "&EXIT" ends it cleanly with exit code 0. Every wait is bounded;
# any failure (timeout, wrong size, extra window, non-zero exit, error output) fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/xvfb.sh
build=${KORVEN_BUILD_DIR:-build}
program=$build/bin/korven-font-converter
[[ -x $program ]] || { echo "xvfb smoke: $program is missing" >&2; exit 1; }

work=$(mktemp -d)
xvfb_pid=""
app_pid=""
cleanup() {
  [[ -n $app_pid ]] && kill "$app_pid" 2>/dev/null || true
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "xvfb smoke: $*" >&2; [[ -s $work/stderr ]] && sed 's/^/  program: /' "$work/stderr" >&2; exit 1; }

start_xvfb "$work"

"$program" >"$work/stdout" 2>"$work/stderr" &
app_pid=$!

# The disclaimer window has no title; find the program's only visible window by its class.
window=""
for _ in $(seq 150); do
  window=$(xdotool search --onlyvisible --class korven-font-converter 2>/dev/null | head -n1 || true)
  [[ -n $window ]] && break
  kill -0 "$app_pid" 2>/dev/null || fail "the program ended before showing a window"
  sleep 0.1
done
[[ -n $window ]] || fail "no window appeared within 15 s"

count=$(xdotool search --onlyvisible --class korven-font-converter | wc -l)
[[ $count -eq 1 ]] || fail "expected only the disclaimer window, found $count windows"
eval "$(xdotool getwindowgeometry --shell "$window")"
[[ "${WIDTH}x${HEIGHT}" == "517x289" ]] || fail "disclaimer window is ${WIDTH}x${HEIGHT}, not 517x289"

# "&EXIT" sits at 16,248 (frame plus button offset), 97 x 25 pixels; click its middle.
xdotool mousemove --window "$window" 64 260 click 1

status=""
for _ in $(seq 100); do
  if ! kill -0 "$app_pid" 2>/dev/null; then
    set +e; wait "$app_pid"; status=$?; set -e
    app_pid=""
    break
  fi
  sleep 0.1
done
[[ -n $status ]] || fail "the program did not end within 10 s of clicking EXIT"
[[ $status -eq 0 ]] || fail "the program ended with exit code $status"
if grep -Eiq 'error|fatal|critical|sanitizer|segmentation' "$work/stderr"; then
  fail "the program reported a problem"
fi
echo "xvfb smoke: disclaimer shown at 517x289, EXIT ended the program with code 0"

#!/usr/bin/env bash
# Retakes the README's screenshots from the real program under Xvfb:
#   docs/screenshots/disclaimer.png, main.png, about.png
# Usage: scripts/screenshots.sh [BUILD_DIR]   (default: build; run scripts/build.sh first)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/xvfb.sh
build=${1:-build}
program=$build/bin/korven-font-converter
out=docs/screenshots
[[ -x $program ]] || { echo "screenshots: build the program first ($program)" >&2; exit 1; }
mkdir -p "$out"

work=$(mktemp -d)
xvfb_pid=""
app_pid=""
cleanup() {
  [[ -n $app_pid ]] && kill "$app_pid" 2>/dev/null || true
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
  [[ -n ${demo:-} ]] && rm -rf "$demo"
}
trap cleanup EXIT
fail() { echo "screenshots: $*" >&2; exit 1; }

# wait_for_window ARGS...: prints the first visible window xdotool finds, within 15 s.
wait_for_window() {
  local id
  for _ in $(seq 150); do
    id=$(xdotool search --onlyvisible "$@" 2>/dev/null | head -n1 || true)
    [[ -n $id ]] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# Let a window finish painting before it is captured.
settle() { sleep 0.5; }

start_xvfb "$work"

# The destination pane opens on the current folder; start in a small demo folder so the
# pictures show no build, scratch or personal paths.
program=$(realpath "$program")
demo=/tmp/korven-demo
mkdir -p "$demo/fonts" "$demo/psp-flash0"
(cd "$demo" && exec "$program") &
app_pid=$!

splash=$(wait_for_window --class korven-font-converter) || fail "the disclaimer window did not appear"
settle
import -window "$splash" "$out/disclaimer.png"

# "&OK" sits at 408,248 (frame plus button offset), 97 x 25 pixels; click its middle.
xdotool mousemove --window "$splash" 456 260 click 1
main=$(wait_for_window --name 'KORVEN FONTS CONVERTER') || fail "the main window did not appear"
settle
import -window "$main" "$out/main.png"

# The menu bar's only item, "INFO", is at the window's top-left corner.
xdotool mousemove --window "$main" 20 10 click 1
about=$(wait_for_window --name '^INFO$') || fail "the About window did not appear"
settle
import -window "$about" "$out/about.png"

echo "screenshots written to $out/"

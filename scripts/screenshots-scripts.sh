#!/usr/bin/env bash
# Takes the README's pictures of PREVIEW showing SET's Japanese and Korean files from the real
# program under Xvfb with a window manager (openbox), as scripts/screenshots.sh does for the
# others: docs/screenshots/preview-jpn0.png and preview-kr0.png, from Noto Sans CJK at 18 with
# shadow 2.
# Usage: scripts/screenshots-scripts.sh [BUILD_DIR]   (default: build; run scripts/build.sh first)
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
wm_pid=""
demo=""
cleanup() {
  [[ -n $app_pid ]] && kill "$app_pid" 2>/dev/null || true
  [[ -n $wm_pid ]] && kill "$wm_pid" 2>/dev/null || true
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
  [[ -n $demo ]] && rm -rf "$demo"
}
trap cleanup EXIT
fail() { echo "screenshots: $*" >&2; cat "$work/program.log" >&2 2>/dev/null || true; exit 1; }

wait_for_window() {
  local id
  for _ in $(seq 150); do
    id=$(xdotool search --onlyvisible "$@" 2>/dev/null | head -n1 || true)
    [[ -n $id ]] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}
settle() { sleep 0.5; }
shoot() { import -frame -window "$1" "$2"; }

font=/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc
[[ -f $font ]] || fail "Noto Sans CJK is needed for these pictures ($font)"

start_xvfb "$work" 1600x1000
command -v openbox >/dev/null || fail "openbox is needed for the title bars (scripts/install-deps.sh)"
openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm_pid=$!
for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break; sleep 0.1; done

# A small demo folder, so the pictures show no build, scratch or personal paths.
program=$(realpath "$program")
demo=/tmp/korven-demo-scripts
mkdir -p "$demo/fonts" "$demo/psp-flash0"
ln -sf "$font" "$demo/fonts/NotoSansCJK-Regular.ttc"
(cd "$demo" && exec "$program" "$demo/fonts/NotoSansCJK-Regular.ttc") >"$work/program.log" 2>&1 &
app_pid=$!
splash=$(wait_for_window --class korven-font-converter) || fail "the disclaimer window did not appear"
settle
xdotool mousemove --window "$splash" 456 260 click 1
main=$(wait_for_window --name 'KORVEN FONTS CONVERTER') || fail "the main window did not appear"
settle
# Size 18 (four up from the size list's last, 22) and shadow 2.
xdotool mousemove --window "$main" 120 370 click 1 key Escape key End Up Up Up Up
xdotool mousemove --window "$main" 120 393 click 1 type 2
# PREVIEW sits right of INFO in the menu bar.
xdotool mousemove --window "$main" 70 10 click 1
preview=$(wait_for_window --name '^PREVIEW$') || fail "the PREVIEW window did not appear"
settle

# shoot_file ITEMS LINE FILE: picks the file list's item ITEMS down from Convert's file (the
# list is at the top of the right-hand column), types LINE as the user's own line, waits for
# the file to be made on its thread and takes the picture.
shoot_file() {
  xdotool mousemove --window "$preview" 600 46 click 1
  settle
  xdotool key Home
  for _ in $(seq "$1"); do xdotool key Down; done
  xdotool key Return
  xdotool mousemove --window "$preview" 250 396 click 1 key ctrl+a BackSpace
  xdotool type --delay 50 "$2"
  sleep 3
  shoot "$preview" "$out/$3"
}
shoot_file 17 'こんにちは、世界！' preview-jpn0.png
shoot_file 18 '안녕하세요, 세계!' preview-kr0.png

echo "screenshots written to $out/"

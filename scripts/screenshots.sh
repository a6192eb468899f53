#!/usr/bin/env bash
# Retakes the README's screenshots from the real program under Xvfb with a window manager
# (openbox), so the title bars show as a user sees them:
#   docs/screenshots/disclaimer.png, main.png, about.png, main-2x.png at scale 2, and
#   preview.png (PREVIEW with a font picked), preview-fit.png (the same, fitted by FIT), and
#   preview-jpn0.png and preview-kr0.png (SET's Japanese and Korean files)
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
wm_pid=""
cleanup() {
  [[ -n $app_pid ]] && kill "$app_pid" 2>/dev/null || true
  [[ -n $wm_pid ]] && kill "$wm_pid" 2>/dev/null || true
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

# Room for the main window at scale 2.
start_xvfb "$work" 2048x1600
command -v openbox >/dev/null || fail "openbox is needed for the title bars (scripts/install-deps.sh)"
openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm_pid=$!
# The window manager is ready once it has claimed the root window.
for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break; sleep 0.1; done

# shoot WINDOW FILE: the window with the frame the window manager gave it.
shoot() { import -frame -window "$1" "$2"; }

# The destination pane opens on the current folder; start in a small demo folder so the
# pictures show no build, scratch or personal paths.
demo=/tmp/korven-demo
mkdir -p "$demo/fonts" "$demo/psp-flash0"
# The program runs from the demo's font folder, as an unpacked copy would, so that the source
# pane opens there and not on the build folder; its converter sits beside it.
cp "$program" "$build/bin/ttf2pgf" "$demo/fonts/"
program=$demo/fonts/$(basename "$program")
# Every start is a first start: choices kept by one run do not reach the next picture.
export XDG_CONFIG_HOME=$work/config
# start_program SCALE [FONT]: starts the program at a scale factor (its window: wait_for_window).
start_program() {
  (cd "$demo" && QT_SCALE_FACTOR=$1 exec "$program" "${@:2}") >"$work/program-$1.log" 2>&1 &
  app_pid=$!
}

# open_main SCALE SPLASH: clicks "&OK" and prints the main window. The button sits at
# 408,248 (frame plus button offset), 97 x 25 pixels at scale 1; its middle is clicked.
open_main() {
  xdotool mousemove --window "$2" $((456 * $1)) $((260 * $1)) click 1
  wait_for_window --name 'KORVEN FONTS CONVERTER'
}

start_program 1
splash=$(wait_for_window --class korven-font-converter) || fail "the disclaimer window did not appear"
settle
shoot "$splash" "$out/disclaimer.png"
main=$(open_main 1 "$splash") || fail "the main window did not appear"
settle
shoot "$main" "$out/main.png"

# The menu bar's only item, "INFO", is at the window's top-left corner.
xdotool mousemove --window "$main" 20 10 click 1
about=$(wait_for_window --name '^INFO$') || fail "the About window did not appear"
settle
shoot "$about" "$out/about.png"
kill "$app_pid"; wait "$app_pid" 2>/dev/null || true; app_pid=""

start_program 2
splash=$(wait_for_window --class korven-font-converter) ||
  fail "the disclaimer window did not appear at scale 2"
settle
main=$(open_main 2 "$splash") || fail "the main window did not appear at scale 2"
settle
shoot "$main" "$out/main-2x.png"

kill "$app_pid"; wait "$app_pid" 2>/dev/null || true; app_pid=""

# PREVIEW needs a picked font: the program is given one, as "Open with" does.
font=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
[[ -f $font ]] || fail "DejaVu Sans is needed for the preview picture ($font)"
cp "$font" "$demo/fonts/"
start_program 1 "$demo/fonts/DejaVuSans.ttf"
splash=$(wait_for_window --class korven-font-converter) || fail "the disclaimer window did not appear"
settle
main=$(open_main 1 "$splash") || fail "the main window did not appear"
settle
# Size 22 (the size list's last) and shadow 4.0.
xdotool mousemove --window "$main" 120 370 click 1 key Escape key End
xdotool mousemove --window "$main" 120 393 click 1 type 4.0
# PREVIEW sits right of INFO in the menu bar.
xdotool mousemove --window "$main" 70 10 click 1
preview=$(wait_for_window --name '^PREVIEW$') || fail "the PREVIEW window did not appear"
settle
xdotool mousemove --window "$preview" 250 396 click 1 type 'Hello, handheld!'
settle
shoot "$preview" "$out/preview.png"

# FIT (Alt+F), its first item: the file fitted to the handheld's own sizes, with the box.
xdotool windowactivate --sync "$main" key alt+f key Return
xdotool windowactivate --sync "$preview"
xdotool mousemove --window "$preview" 250 396 click 1 key ctrl+a type 'Fitted: W ‰ @ ÿ'
settle
shoot "$preview" "$out/preview-fit.png"

kill "$app_pid"; wait "$app_pid" 2>/dev/null || true; app_pid=""

# SET's Japanese and Korean files in PREVIEW, from Noto Sans CJK at 18 with shadow 2.
cjk=/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc
[[ -f $cjk ]] || fail "Noto Sans CJK is needed for the Japanese and Korean pictures ($cjk)"
ln -sf "$cjk" "$demo/fonts/NotoSansCJK-Regular.ttc"
start_program 1 "$demo/fonts/NotoSansCJK-Regular.ttc"
splash=$(wait_for_window --class korven-font-converter) || fail "the disclaimer window did not appear"
settle
main=$(open_main 1 "$splash") || fail "the main window did not appear"
settle
# Size 18 (four up from the size list's last, 22) and shadow 2.
xdotool mousemove --window "$main" 120 370 click 1 key Escape key End Up Up Up Up
xdotool mousemove --window "$main" 120 393 click 1 type 2
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

#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build
if [[ -x build/bin/korven-font-converter ]]; then
  exec build/bin/korven-font-converter
fi
# Until the windows exist, show the button looks as a contact sheet instead.
mkdir -p out
QT_QPA_PLATFORM=offscreen build/bin/xpbutton-render --sheet out/xpbutton-sheet.png
echo "The button contact sheet is at $PWD/out/xpbutton-sheet.png"

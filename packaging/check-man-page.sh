#!/bin/sh
# check-man-page.sh PAGE: fails, showing the warnings, when man reports any while rendering
# PAGE at 80 columns.
set -eu
warnings=$(MANWIDTH=80 man --warnings -l "$1" 2>&1 >/dev/null)
if [ -n "$warnings" ]; then
  printf '%s\n' "$warnings"
  exit 1
fi

#!/bin/sh
# check-man-options.sh PROGRAM PAGE: fails, naming them, when options that `PROGRAM --help`
# prints are missing from the manual page source PAGE.
set -eu
missing=""
for option in $("$1" --help | grep -o -- '--[a-z][a-z-]*' | sort -u); do
  # The page writes each hyphen as \- so that it prints as a plain hyphen.
  escaped=$(printf '%s' "$option" | sed 's/-/\\\\-/g')
  grep -q -- "$escaped" "$2" || missing="$missing $option"
done
if [ -n "$missing" ]; then
  echo "not in $2:$missing"
  exit 1
fi

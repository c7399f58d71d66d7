#!/usr/bin/env bash
# Drags the real picker over a chart of known colours with the mouse, as a
# user would, and reads back the five fields and the swatch.
set -u
. "$(dirname "$0")/lib.sh"
trap e2e_cleanup EXIT

e2e_start_chart
e2e_start_picker || exit 1
width=$(xdpyinfo | awk '/dimensions:/ {split($2, d, "x"); print d[1]}')
band=$((width / 8))

failures=0
check() { # band-index expected-fields expected-swatch
  local x=$(( $1 * band + band / 2 )) y=400
  e2e_drag_to "$x" "$y"
  local fields swatch
  # Read until the fields and the swatch show the colour, or the time is up.
  shown() {
    fields=$(e2e_probe fields)
    e2e_rect
    swatch=$(e2e_screen_pixel $((E2E_L + 192)) $((E2E_T + 164)))
    [ "$fields" = "$2" ] && [ "${swatch^^}" = "$3" ]
  }
  e2e_until 5 shown "$@"
  if [ "$fields" = "$2" ] && [ "${swatch^^}" = "$3" ]; then
    echo "ok   band $1: $fields, swatch $swatch"
  else
    echo "FAIL band $1: fields '$fields' (want '$2'), swatch '$swatch' (want '$3')"
    failures=$((failures + 1))
  fi
}

check 2 "#FF8000 33023 255 128 0" "#FF8000"
check 0 "#000000 0 0 0 0" "#000000"
check 1 "#FFFFFF 16777215 255 255 255" "#FFFFFF"
check 3 "#123456 5649426 18 52 86" "#123456"
check 6 "#0000FF 16711680 0 0 255" "#0000FF"
check 5 "#00FF00 65280 0 255 0" "#00FF00"

# The window followed the mouse: the view-finder centre is where it was dragged.
e2e_rect
expected_left=$((5 * band + band / 2 - E2E_SAMPLE_X))
if [ "$E2E_L" -ne "$expected_left" ]; then
  echo "FAIL the window's left edge is $E2E_L, want $expected_left"
  failures=$((failures + 1))
fi
exit $((failures > 0))

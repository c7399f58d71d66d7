#!/usr/bin/env bash
# The advanced view from the running program: opened from the menu with the
# sampled colour, a slider dragged, the strip clicked, fields read back, and
# closed again from the menu.
set -u
. "$(dirname "$0")/lib.sh"
trap e2e_cleanup EXIT
failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }

e2e_start_chart
e2e_start_picker || exit 1
e2e_focus_picker
width=$(xdpyinfo | awk '/dimensions:/ {split($2, d, "x"); print d[1]}')
band=$((width / 8))
e2e_drag_to $((2 * band + band / 2)) 400 # orange, 255 128 0

e2e_menu_choose Down Down Down Down # Advanced view...
advanced_shown() { [ -n "$(e2e_probe advanced)" ]; }
e2e_until 5 advanced_shown
read -r hex numeric < <(e2e_probe advanced)
[ "$hex $numeric" = "FF8000 33023" ] || fail "the advanced view opened with '$hex $numeric', not the sampled colour"
read -r ox oy < <(e2e_probe windows | awk -F'|' '$3 ~ / 283 154$/ {split($3, c, " "); print c[1], c[2]}')
[ -n "${ox:-}" ] || { fail "no advanced view on screen"; exit 1; }

# Drag the green slider's thumb to the right: green grows, red and blue stay.
arrow=16
track=$((148 - 2 * arrow))
thumb_x=$((ox + 80 + arrow + track * 128 / 255))
xdotool mousemove "$thumb_x" $((oy + 26 + 6))
e2e_until 5 e2e_pointer_at "$thumb_x" $((oy + 26 + 6))
xdotool mousedown 1
# The thumb follows the pointer once the press is taken: green grows.
green_grown() { read -r hex numeric < <(e2e_probe advanced) && [ $((16#${hex:2:2})) -gt 128 ]; }
for step in 1 2 3 4; do
  xdotool mousemove $((thumb_x + step * 6)) $((oy + 26 + 6))
  [ "$step" -gt 1 ] || e2e_until 5 green_grown
done
e2e_until 5 e2e_pointer_at $((thumb_x + 24)) $((oy + 26 + 6))
xdotool mouseup 1
# Read once the field has followed the last step.
numeric_settled() { local before=$numeric; read -r hex numeric < <(e2e_probe advanced) && [ "$numeric" = "$before" ]; }
e2e_until 5 numeric_settled
green=$((16#${hex:2:2}))
[ "${hex:0:2}${hex:4:2}" = "FF00" ] && [ "$green" -gt 128 ] ||
  fail "after the slider drag the colour is $hex (want red FF, blue 00, green above 80)"
[ "$numeric" -eq $((255 + 256 * green)) ] || fail "numeric $numeric does not match $hex"
echo "slider drag: $hex $numeric"

# A click on the strip's middle picks the gradient there, half way to the black stop.
xdotool mousemove $((ox + 11 + 128)) $((oy + 119 + 4)) click 1
want=$(printf '%02X%02X00' $(((255 * 127 + 127) / 255)) $(((green * 127 + 127) / 255)))
picked_wanted() { read -r picked picked_numeric < <(e2e_probe advanced) && [ "$picked" = "$want" ]; }
e2e_until 5 picked_wanted
[ "$picked" = "$want" ] || fail "the strip click picked $picked, want $want"
echo "strip click: $picked $picked_numeric"

# The menu item closes it again.
e2e_focus_picker
e2e_menu_choose Down Down Down Down
[ -z "$(e2e_probe advanced)" ] || fail "the advanced view is still open"
exit $((failures > 0))

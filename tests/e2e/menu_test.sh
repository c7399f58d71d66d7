#!/usr/bin/env bash
# The popup menu as a user meets it: a right click opens it at the cursor, its
# captions come in the user's language (Italian ones are wider), Lock freezes
# the values while the window still moves, and Exit ends the program.
set -u
. "$(dirname "$0")/lib.sh"
trap e2e_cleanup EXIT
failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }

# The width of the menu that a right click on the caption opens, in pixels.
menu_width() {
  e2e_rect
  local x=$((E2E_L + E2E_GRIP_X)) y=$((E2E_T + E2E_GRIP_Y)) before after width
  xdotool mousemove "$x" "$y"
  e2e_until 5 e2e_pointer_at "$x" "$y"
  before=$(mktemp --suffix=.png); after=$(mktemp --suffix=.png)
  import -window root "$before"
  xdotool click 3
  e2e_until 5 e2e_menu_shown
  # The menu is what changed on screen, right of and below the cursor; it
  # is measured once it is drawn whole (two shots alike).
  changed_width() {
    import -window root "$after"
    compare -metric AE "$before" "$after" -compose src -highlight-color white -lowlight-color black \
      png:- 2>/dev/null | convert - -trim -format '%w' info:
  }
  drawn() { local last=${width:-}; width=$(changed_width) && [ "${width:-0}" -gt 40 ] && [ "$width" = "$last" ]; }
  width=""
  e2e_until 5 drawn
  echo "$width"
  rm -f "$before" "$after"
}

e2e_start_chart
width=$(xdpyinfo | awk '/dimensions:/ {split($2, d, "x"); print d[1]}')
band=$((width / 8))

e2e_start_picker en_US.UTF-8 || exit 1
e2e_focus_picker
english=$(menu_width)
xdotool key Escape
e2e_until 5 e2e_no_menu
# Lock is the first item: after it a drag moves the window but not the values.
e2e_drag_to $((2 * band + band / 2)) 400
locked_before=$(e2e_probe fields)
e2e_open_menu
xdotool key Down Return
e2e_until 5 e2e_no_menu
e2e_drag_to $((6 * band + band / 2)) 400
e2e_rect
[ "$(e2e_probe fields)" = "$locked_before" ] || fail "locked values changed to $(e2e_probe fields)"
[ "$E2E_L" -eq $((6 * band + band / 2 - E2E_SAMPLE_X)) ] || fail "a locked drag did not move the window"
# Exit is the last item.
e2e_open_menu
xdotool key Up Return
e2e_wait_ended "$E2E_PICKER_PID" || fail "Exit did not end the program"

e2e_start_picker it_IT.UTF-8 || exit 1
e2e_focus_picker
italian=$(menu_width)
xdotool key Escape
echo "menu width: English $english px, Italian $italian px"
[ -n "$english" ] && [ "$english" -gt 40 ] || fail "no menu appeared in English"
[ -n "$italian" ] && [ "$italian" -gt "$english" ] || fail "the Italian menu is not the wider one"
exit $((failures > 0))

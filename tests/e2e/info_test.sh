#!/usr/bin/env bash
# Help and About from the running program's menu, opened and closed as a
# user would: Help at the pointer, closed by a click on it; About modal over
# the main window, closed with Esc, and in Italian with its Close button.
set -u
. "$(dirname "$0")/lib.sh"
trap e2e_cleanup EXIT
failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }

# "caption|window|client-left client-top width height|enabled" of the window whose client is W x H.
window_with_client() { e2e_probe windows | awk -F'|' -v size=" $1 $2" 'index($3, size) == length($3) - length(size) + 1'; }

e2e_start_chart
e2e_start_picker en_US.UTF-8 || exit 1
e2e_focus_picker

e2e_menu_choose Down Down # Help
help_shown() { help=$(window_with_client 313 101) && [ -n "$help" ]; }
e2e_until 5 help_shown || fail "Help did not open"
read -r hl ht _ < <(cut -d'|' -f2 <<<"$help")
e2e_rect
[ "$hl $ht" = "$((E2E_L + E2E_GRIP_X)) $((E2E_T + E2E_GRIP_Y))" ] ||
  fail "Help opened at $hl,$ht, not at the pointer"
read -r cx cy _ < <(cut -d'|' -f3 <<<"$help")
xdotool mousemove $((cx + 300)) $((cy + 8)) click 1 # its background
help_closed() { [ -z "$(window_with_client 313 101)" ]; }
e2e_until 5 help_closed || fail "a click on Help did not close it"

e2e_menu_choose Down Down Down # About...
about_shown() { about=$(e2e_probe windows | grep "^$1|") && [ -n "$about" ]; }
e2e_until 5 about_shown 'About\.\.\.' || fail "About did not open"
e2e_probe windows | grep -q '^Tavolisk|.*|disabled$' || fail "the main window takes input while About is open"
about_window=$(xdotool search --name '^About\.\.\.$' | head -n 1)
xdotool windowfocus "$about_window"
e2e_until 5 e2e_focused "$about_window"
xdotool key Escape
about_closed() { ! e2e_probe windows | grep -q "^$1|"; }
e2e_until 5 about_closed 'About\.\.\.' || fail "Esc did not close About"
e2e_probe windows | grep -q '^Tavolisk|.*|enabled$' || fail "the main window stayed disabled"
e2e_menu_choose Up # Exit
e2e_wait_ended "$E2E_PICKER_PID" || fail "Exit did not end the program"
[ -z "$(e2e_probe windows | grep '^Tavolisk|')" ] || fail "the picker's window is still there after Exit"

e2e_start_picker it_IT.UTF-8 || exit 1
e2e_focus_picker
e2e_menu_choose Down Down Down # Informazioni...
e2e_until 5 about_shown 'Informazioni\.\.\.' || fail "the Italian About window did not open with its Italian caption"
read -r cx cy _ < <(cut -d'|' -f3 <<<"$about")
xdotool mousemove $((cx + 187)) $((cy + 131)) click 1 # Chiudi
e2e_until 5 about_closed 'Informazioni\.\.\.' || fail "the Close button did not close About"
exit $((failures > 0))

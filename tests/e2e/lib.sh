# Shared steps of the end-to-end tests and the scripted demo: start the chart
# and the picker under Wine, drag the picker with the real mouse (xdotool),
# read back what it shows.
# Needs: DISPLAY, TAVOLISK_BUILD (the x86_64 build folder).

: "${TAVOLISK_BUILD:?the x86_64 build folder}"
E2E_EXE="$TAVOLISK_BUILD/Tavolisk.exe"
E2E_CHART="$TAVOLISK_BUILD/tests/e2e/e2e_chart.exe"
E2E_PROBE="$TAVOLISK_BUILD/tests/e2e/e2e_probe.exe"
E2E_PIDS=()

# The grip: a point of the "Web:" caption, which starts a drag like the skin.
E2E_GRIP_X=105
E2E_GRIP_Y=55
# The view-finder centre, from the window's top-left corner.
E2E_SAMPLE_X=45
E2E_SAMPLE_Y=121

e2e_wine() { "$TAVOLISK_BUILD/wine-run" "$@"; }

# The probe's answer without Windows line ends; its exit status is the probe's.
e2e_probe() {
  local out status
  out=$(e2e_wine "$E2E_PROBE" "$@")
  status=$?
  printf '%s' "${out//$'\r'/}"
  [ -n "$out" ] && echo
  return $status
}

e2e_cleanup() {
  local pid
  xdotool mouseup 1 2>/dev/null
  for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null; done
  # Only our own processes: the caller may have an X server running as a child.
  for pid in "${E2E_PIDS[@]}"; do wait "$pid" 2>/dev/null; done
  E2E_PIDS=()
}

# Whether a process we started still runs (an exited one not yet reaped does not count).
e2e_running() {
  local state
  state=$(ps -o stat= -p "$1" 2>/dev/null) || return 1
  [ -n "$state" ] && [ "${state:0:1}" != Z ]
}

# Runs a command again and again until it succeeds, for up to $1 seconds;
# fails if it never did. What a test waits for, however slow the machine.
e2e_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

# Waits up to $2 seconds (5 by default) for a process to end; fails if it still runs.
e2e_wait_ended() {
  local pid=$1 tenths=$((${2:-5} * 10)) i
  for ((i = 0; i < tenths; i++)); do
    e2e_running "$pid" || return 0
    sleep 0.1
  done
  ! e2e_running "$pid"
}

# Programs are started as plain background commands, never through a shell
# function: $! is then the process that wine-run turns into the Wine process
# (wine-run ends in exec), so the cleanup stops the program itself and not
# a subshell that would leave it running.
e2e_start_chart() {
  "$TAVOLISK_BUILD/wine-run" "$E2E_CHART" >/dev/null 2>&1 &
  E2E_PIDS+=($!)
  e2e_until 30 e2e_chart_shown || echo "the chart did not appear"
}

# Whether the chart's third band shows its orange on the screen.
e2e_chart_shown() {
  local width
  width=$(xdpyinfo | awk '/dimensions:/ {split($2, d, "x"); print d[1]}')
  local pixel
  pixel=$(e2e_screen_pixel $((width / 8 * 2 + width / 16)) 400)
  [ "${pixel^^}" = "#FF8000" ]
}

# Starts the picker in a language (en_US.UTF-8 by default) and waits for its window.
e2e_start_picker() {
  local lang="${1:-en_US.UTF-8}"
  LC_ALL="$lang" LANG="$lang" "$TAVOLISK_BUILD/wine-run" "$E2E_EXE" >/dev/null 2>&1 &
  E2E_PICKER_PID=$!
  E2E_PIDS+=("$E2E_PICKER_PID")
  e2e_probe wait || { echo "the picker's window did not appear"; return 1; }
  e2e_until 10 e2e_picker_window >/dev/null || { echo "the picker's window is not on the X screen"; return 1; }
}

# The picker's X window, once the X server shows it.
e2e_picker_window() { xdotool search --onlyvisible --name '^Tavolisk$' | head -n 1 | grep .; }

# Whether the pointer is at (x, y).
e2e_pointer_at() { [ "$(xdotool getmouselocation --shell | head -n 2 | cut -d= -f2 | paste -sd' ')" = "$1 $2" ]; }

# Whether the picker's window has its top-left corner at (x, y).
e2e_picker_at() {
  e2e_rect
  [ "$E2E_L $E2E_T" = "$1 $2" ]
}

# Gives the picker the keyboard focus and puts it on top of the X stack, as a
# window manager would on a click. With none running, the X focus stays where
# it was, and Wine's own window order (which keeps the topmost picker in
# front) is not always what the X server shows after another window closes.
e2e_focus_picker() {
  local window
  window=$(e2e_picker_window) || return 1
  xdotool windowraise "$window" windowfocus "$window"
  e2e_until 5 e2e_focused "$window"
}

e2e_focused() { [ "$(xdotool getwindowfocus)" = "$1" ]; }

e2e_rect() { read -r E2E_L E2E_T E2E_R E2E_B < <(e2e_probe rect); }

# Drags the picker by its caption so the view-finder centre lands on (x, y),
# moving the mouse in a few steps with the left button held.
e2e_drag_to() {
  local tx=$1 ty=$2 steps=${3:-5} i
  e2e_rect
  local sx=$((E2E_L + E2E_GRIP_X)) sy=$((E2E_T + E2E_GRIP_Y))
  local ex=$((tx - E2E_SAMPLE_X + E2E_GRIP_X)) ey=$((ty - E2E_SAMPLE_Y + E2E_GRIP_Y))
  local left=$E2E_L top=$E2E_T
  xdotool mousemove "$sx" "$sy"
  e2e_until 5 e2e_pointer_at "$sx" "$sy"
  xdotool mousedown 1
  # The window follows a first small step only once the press is taken.
  xdotool mousemove $((sx + 1)) "$sy"
  e2e_until 5 e2e_picker_at $((left + 1)) "$top"
  for ((i = 1; i <= steps; i++)); do
    xdotool mousemove $((sx + (ex - sx) * i / steps)) $((sy + (ey - sy) * i / steps))
    sleep 0.1 # paced, so that the drag sees the way and not only its end
  done
  # Let go only once the window has followed the mouse to the end.
  e2e_until 10 e2e_picker_at $((left + ex - sx)) $((top + ey - sy))
  xdotool mouseup 1
}

# Opens the menu with a right click on the caption and chooses an item with
# the arrow keys, e.g. "Up Up Up" for the third item from the bottom.
e2e_menu_choose() {
  e2e_focus_picker
  e2e_rect
  e2e_open_menu
  xdotool key "$@" Return
  e2e_until 5 e2e_no_menu
}

# Right-clicks the caption and waits for the popup menu's window.
e2e_open_menu() {
  e2e_rect
  xdotool mousemove $((E2E_L + E2E_GRIP_X)) $((E2E_T + E2E_GRIP_Y)) click 3
  e2e_until 5 e2e_menu_shown
}

e2e_menu_shown() { e2e_probe menu; }
e2e_no_menu() { ! e2e_menu_shown; }

# The colour of one screen pixel as #RRGGBB, from a screenshot.
e2e_screen_pixel() {
  local x=$1 y=$2 shot
  shot=$(mktemp --suffix=.png)
  import -window root "$shot"
  convert "$shot" -crop "1x1+$x+$y" -depth 8 txt:- | grep -o '#[0-9A-Fa-f]\{6\}' | head -n 1
  rm -f "$shot"
}

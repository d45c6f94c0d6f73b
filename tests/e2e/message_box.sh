# The game's message box, found, looked at and answered as a player does; sourced by the
# missing-file and damaged-data scripts. Expects $work, $pid (the game) and a fail function.
# Every wait is for a state; its limit (hang_limit seconds) only catches a hang.

hang_limit=${MOSSBLOOM_HANG_LIMIT:-60}
box=

game_alive() { kill -0 "$pid" 2>/dev/null; }

# Standard error holds the box's two lines, one after the other: the text, then the English line
# (matched as an extended regular expression).
two_lines_on_stderr() {  # text english-regex
  BOX_TEXT=$1 BOX_ENGLISH=$2 awk 'previous == ENVIRON["BOX_TEXT"] && $0 ~ ENVIRON["BOX_ENGLISH"] { found = 1 }
    { previous = $0 } END { exit !found }' "$work/stderr" 2>/dev/null
}

# The box is the only dialog window on the display (its caption is empty).
find_box() {
  local w
  for w in $(xdotool search --onlyvisible --name '^$' 2>/dev/null); do
    if xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q _NET_WM_WINDOW_TYPE_DIALOG; then
      box=$w
      return 0
    fi
  done
  return 1
}

# Waits for the box while the game waits in it; fails when the game ends without one (as it does
# when the display lacks the core X fonts the box needs).
wait_for_box() {
  local deadline=$((SECONDS + hang_limit))
  until find_box; do
    game_alive || fail "the game ended without showing its message box"
    ((SECONDS < deadline)) || fail "no message box within $hang_limit s (a hang)"
    sleep 0.1
  done
}

# Keeps a screenshot of the box in the file given and fails when it is blank (one flat colour).
box_screenshot() {  # file.png
  local X Y WIDTH HEIGHT SCREEN WINDOW spread
  eval "$(xdotool getwindowgeometry --shell "$box")"
  import -window root "$work/box_root.png" || fail "no screenshot"
  convert "$work/box_root.png" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$1"
  spread=$(convert "$1" -colorspace Gray -format "%[fx:standard_deviation]" info:)
  awk -v s="$spread" 'BEGIN { exit !(s > 0.03) }' || fail "the message box is blank (grey spread $spread)"
  box_width=$WIDTH box_height=$HEIGHT box_left=$X box_top=$Y
}

# Answers the box with OK: Return (the box's default button) or an instant click on the button,
# which sits centred at its bottom.
press_ok() {  # key|click
  case $1 in
    key)
      xdotool windowfocus --sync "$box" 2>/dev/null || xdotool windowfocus "$box"
      xdotool key Return ;;
    click)
      xdotool mousemove --sync $((box_left + box_width / 2)) $((box_top + box_height - 26)) click 1 ;;
  esac
}

# After OK the game ends; its exit code goes to $code.
wait_for_end() {
  local deadline=$((SECONDS + hang_limit))
  while game_alive; do
    ((SECONDS < deadline)) || fail "the game did not end after OK (a hang)"
    sleep 0.1
  done
  wait "$pid"
  code=$?
  pid=
}

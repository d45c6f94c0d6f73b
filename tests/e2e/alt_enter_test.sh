#!/usr/bin/env bash
# Alt+Enter switches full screen as F1 does, on the X display the tests run on (no window
# manager): tapped at once and held as a chord it covers the display and comes back to the
# window at its place, without pausing; Enter alone still pauses, and while paused Alt+Enter
# changes nothing; F1 still works.
set -uo pipefail
source "$(dirname "$0")/game_driver.sh"
begin_window_test alt_enter_test.sh "$@"

display=$(xwininfo -root | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h "+0+0"}')
geometry() {
  xwininfo -id "$window" | awk '/Absolute upper-left X:/ {x=$4} /Absolute upper-left Y:/ {y=$4}
    /Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h "+" x "+" y}'
}
covers_display() { [[ $(geometry) == "$display" ]]; }
title_is_window() { [[ $(xdotool getwindowname "$window") == "Mossbloom --- 640 × 480" ]]; }

# The title moves all the time unless paused: two screenshots of the whole display a few frames
# apart differ; paused, the field of the window stays the same (the overlay's frame rate above it
# goes on changing).
display_shot() { import -window root "$shots/$1.png" || fail "no screenshot"; }
display_change() {
  display_shot moving_1 && sleep 0.3 && display_shot moving_2
  compare -metric AE -fuzz 8% "$shots/moving_1.png" "$shots/moving_2.png" null: 2>&1 >/dev/null | awk '{print $1}'
}
moving() { holds "$(display_change)" "v > 200"; }
standing_still() { shot still_1 && sleep 0.3 && shot still_2 && holds "$(changed still_1 still_2 600x380+20+40)" "v < 0.001"; }

start_game "$game"
wait_brightness "v > 0.5" "the title did not follow the loading picture" 300
before=$(geometry)
wait_for "the title moving" moving

# An instant tap of Alt+Enter, as xdotool sends a chord: full screen, not paused.
xdotool key alt+Return
wait_for "full screen after an instant Alt+Enter: $(geometry) on a display of $display" covers_display
wait_for "the title moving in full screen (Alt+Enter must not pause)" moving
display_shot alt_enter_full_screen

# Held as a player holds it, with the right Alt: back to the window at its place and size.
xdotool keydown Alt_R
sleep 0.15
xdotool keydown Return
sleep 0.15
xdotool keyup Return
sleep 0.15
xdotool keyup Alt_R
back_again() { [[ $(geometry) == "$before" ]]; }
wait_for "the window back as $before after a held Alt+Enter: $(geometry)" back_again
wait_for "the title naming 640 × 480" title_is_window
wait_for "the title moving in the window again" moving

# Enter alone pauses; paused, Alt+Enter changes nothing, whichever key is let go first.
key Return
wait_for "Enter did not pause" standing_still
xdotool keydown Alt_L keydown Return
sleep 0.3
xdotool keyup Alt_L
sleep 0.3
xdotool keyup Return
sleep 0.5
[[ $(geometry) == "$before" ]] || fail "Alt+Enter while paused changed the window to $(geometry)"
standing_still || fail "Alt+Enter while paused resumed the play"
key Return
wait_for "the second Enter did not resume" moving

# F1 still does the same.
key F1
wait_for "full screen after F1" covers_display
key F1
wait_for "the window back after F1" back_again
quit_with_escape
echo "PASS"

#!/usr/bin/env bash
# Plays the real game on the X display with xdotool, from the title through all three kinds of
# play, the information screen and out through the exit button. Each step is checked by what it
# must change on the screen. Screenshots stay in the folder given second (for a person to look at).
set -uo pipefail
game=$(realpath "${1:?usage: play_test.sh path/to/mossbloom [screenshot-folder]}")
work=$(mktemp -d)
shots=${2:-$work/shots}
mkdir -p "$shots"
source "$(dirname "$0")/game_driver.sh"
cleanup() {
  stop_game
  rm -rf "$work"
}
trap cleanup EXIT

field=600x380+20+40        # the playing field between the HUD strips
top_strip=400x26+80+2      # score and counts
gauge=160x14+230+458       # the water gauge's inside

start_game "$game"

# Boot: the loading picture on black gives way to the title on white paper.
wait_brightness "v > 0.5" "the title did not follow the loading picture" 200
sleep 7
shot title
check "$(dark_share title 540x140+60+80)" "v > 0.08" "no title letters"

# A click held like a mouse button's leads to the menu with its buttons.
press_at 400 200
sleep 1.5
shot menu
check "$(changed title menu 640x480+0+0)" "v > 0.2" "the menu did not replace the title"
check "$(brightness menu 180x40+90+230)" "v < 0.85" "no NORMAL button"

# A normal play: the HUD strips darken the top and the bottom.
click_at 180 250
sleep 1.2
shot play_start
check "$(brightness play_start $top_strip)" "v < 0.6" "no HUD at the top of the play"
check "$(brightness play_start 640x26+0+452)" "v < 0.7" "no HUD at the bottom of the play"
check "$(brightness play_start $field)" "v > 0.6" "the field is not paper"

# Spraying: moving with the left button held spends water and puts drops on the field.
point 150 150
xdotool mousedown 1
for i in $(seq 1 40); do
  point $((150 + i * 8)) $((150 + (i % 6) * 20))
  sleep 0.04
done
xdotool mouseup 1
shot sprayed
gauge_before=$(blue_share play_start $gauge)
gauge_after=$(blue_share sprayed $gauge)
echo "gauge before $gauge_before, after $gauge_after"
check "$(awk -v a="$gauge_before" -v b="$gauge_after" 'BEGIN { print a - b }')" "v > 0.05" "the water gauge did not drop"
check "$(awk -v a="$(blue_share play_start $field)" -v b="$(blue_share sprayed $field)" 'BEGIN { print b - a }')" \
  "v > 0.002" "no drops appeared"

# Charging: the right button held on an object pours charge into it until it bursts into the
# next element. Charging whatever looks most colourful, again and again, fills the field with kinds.
point 400 200
xdotool mousedown 3
sleep 2
xdotool mouseup 3
sleep 0.5
shot charged
check "$(changed sprayed charged $field)" "v > 0.01" "charging changed nothing"
x=400 y=200
for n in $(seq 1 6); do
  read -r x y < <(colourful_spot charged "$x" "$y")
  point "$x" "$y"
  xdotool mousedown 3
  sleep 2
  xdotool mouseup 3
  sleep 0.3
  shot charged
done
check "$(changed sprayed charged $field)" "v > 0.05" "charging made nothing new"

# A short click sends a wave: a ring spreads around the click.
shot before_wave
click_at 320 300
sleep 0.2
shot wave
check "$(changed before_wave wave 300x300+170+150)" "v > 0.02" "no wave ring"

# Z zooms out while held, A zooms in.
sleep 1
point 320 240
xdotool keydown z
sleep 1
shot zoomed_out
xdotool keyup z
xdotool keydown a
sleep 1.5
shot zoomed_in
xdotool keyup a
check "$(changed zoomed_out zoomed_in $field)" "v > 0.01" "zooming changed nothing"
sleep 1

# X slides the HUD away and back.
key x
sleep 0.8
shot hud_hidden
check "$(brightness hud_hidden $top_strip)" "v > 0.8" "the HUD did not slide away"
key x
sleep 0.8
shot hud_back
check "$(brightness hud_back $top_strip)" "v < 0.6" "the HUD did not come back"

# Return pauses: the picture stands still (the overlay at the top left aside) until Return again.
key Return
sleep 0.3
shot paused_1
sleep 1
shot paused_2
check "$(changed paused_1 paused_2 580x450+60+30)" "v < 0.001" "the play moved while paused"
key Return
sleep 1
shot resumed
check "$(changed paused_2 resumed 640x30+0+450)" "v > 0.001" "the play did not resume (the clock stands)"

shot play_many_kinds

# 1 returns to the title from the play.
key 1
sleep 1
shot back_to_title
check "$(brightness back_to_title $top_strip)" "v > 0.8" "the HUD is still there after 1"
check "$(brightness back_to_title 640x480+0+0)" "v > 0.6" "no title after 1"

# The clover play: space mutates at ten seconds a press, so eighteen presses end the play.
click_at 400 200
sleep 1.5
click_at 190 300
sleep 1.5
shot clover_play
check "$(brightness clover_play $top_strip)" "v < 0.6" "the clover play did not start"
for _ in $(seq 1 18); do
  hold_key space
  sleep 0.05
done
sleep 1.5
shot play_end
check "$(changed clover_play play_end 400x120+120+180)" "v > 0.05" "no end picture"
# 164 frames after the end the title returns (about 5.5 seconds).
sleep 5.5
shot after_end
check "$(brightness after_end $top_strip)" "v > 0.8" "the title did not return after the play ended"

# The endless play starts from the menu too.
click_at 400 200
sleep 1.5
click_at 160 350
sleep 1.5
shot endless_play
check "$(brightness endless_play $top_strip)" "v < 0.6" "the endless play did not start"
key 1
sleep 0.5

# How to play, and back.
click_at 400 200
sleep 1.5
click_at 160 400
sleep 1
shot information
check "$(changed menu information 640x480+0+0)" "v > 0.2" "the information screen did not appear"
click_at 570 440
sleep 1.5
shot menu_again
check "$(brightness menu_again 180x40+90+230)" "v < 0.85" "BACK did not return to the menu"

# The exit button: the farewell picture, then the program ends about 151 frames later, with 0.
click_at 560 50
start=$(date +%s.%N)
sleep 2
shot closing
for _ in $(seq 1 120); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "the game did not end after the exit button"
elapsed=$(awk -v s="$start" -v e="$(date +%s.%N)" 'BEGIN { print e - s }')
wait "$pid"
code=$?
pid=
echo "ended ${elapsed}s after the exit click with code $code"
check "$elapsed" "v > 4 && v < 9" "the game did not end about 151 frames after the click"
[[ $code -eq 0 ]] || fail "exit code $code, expected 0"
echo "PASS"

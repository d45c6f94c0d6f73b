#!/usr/bin/env bash
# Plays the real game on the X display with xdotool, from the title through all three kinds of
# play, the information screen and out through the exit button. Each step is checked by what it
# must change on the screen, and every step waits for that change (never for a time), so the
# test holds on a busy machine. Screenshots stay in the folder given second (for a person to look at).
set -uo pipefail
game=$(realpath "${1:?usage: play_test.sh path/to/mossbloom [screenshot-folder]}")
work=$(mktemp -d)
shots=${2:-$work/shots}
mkdir -p "$shots"
source "$(dirname "$0")/game_driver.sh"
cleanup() {
  stop_strokes
  stop_game
  rm -rf "$work"
}
trap cleanup EXIT

field=600x380+20+40        # the playing field between the HUD strips
top_strip=400x26+80+2      # score and counts
gauge=160x14+230+458       # the water gauge's inside

start_game "$game"

# Conditions the steps wait for; each takes the screenshot it names.
true_of() { awk -v v="$1" "BEGIN { exit !($2) }"; }
menu_shown() {  # name: the menu with its NORMAL button, in place of the title
  shot "$1"
  true_of "$(changed before_menu "$1" 640x480+0+0)" "v > 0.2" && true_of "$(brightness "$1" 180x40+90+230)" "v < 0.85"
}
play_shown() {  # name: a play with the HUD strips at the top and the bottom
  shot "$1"
  true_of "$(brightness "$1" $top_strip)" "v < 0.6" && true_of "$(brightness "$1" 640x26+0+452)" "v < 0.7"
}
title_back() {  # name: the title's paper without the HUD
  shot "$1"
  true_of "$(brightness "$1" $top_strip)" "v > 0.8" && true_of "$(brightness "$1" 640x480+0+0)" "v > 0.6"
}
open_menu() {
  shot before_menu
  click_at 400 200
  wait_for "menu after a click on the title" menu_shown "$1"
}

# Boot: the loading picture on black gives way to the title on white paper.
wait_brightness "v > 0.5" "the title after the loading picture"

# A click held like a mouse button's leads to the menu with its buttons, under the title's letters.
shot before_menu
press_at 400 200
wait_for "menu after a held click on the title" menu_shown menu
wait_for "title letters over the menu" title_letters_shown

# A normal play: the HUD strips darken the top and the bottom, the field is paper.
click_at 180 250
play_on_paper() { play_shown "$1" && true_of "$(brightness "$1" $field)" "v > 0.6"; }
wait_for "normal play with its HUD around a field of paper" play_on_paper play_start

# Spraying: moving with the left button held spends water and puts drops on the field. The
# pointer keeps moving (in a loop of its own) until both show; the reserve refills by itself
# whenever the spraying stops, so the strokes never pause for the screenshots.
shot before_spraying
gauge_before=$(blue_share before_spraying $gauge)
field_before=$(blue_share before_spraying $field)
sprayed() {
  shot sprayed
  true_of "$(awk -v a="$gauge_before" -v b="$(blue_share sprayed $gauge)" 'BEGIN { print a - b }')" "v > 0.05" &&
    true_of "$(awk -v a="$field_before" -v b="$(blue_share sprayed $field)" 'BEGIN { print b - a }')" "v > 0.002"
}
point 150 150
xdotool mousedown 1
start_strokes 150 150 8 20 40 6
wait_for "drop of the water gauge and drops on the field while spraying" sprayed
stop_strokes
xdotool mouseup 1
echo "gauge before $gauge_before, after $(blue_share sprayed $gauge)"

# Charging: the right button held on an object pours charge into it until it bursts into the
# next element. Charging whatever looks most colourful, again and again, fills the field with kinds.
point 400 200
xdotool mousedown 3
wait_for "change on the field while charging" shows charged "v > 0.01" changed sprayed charged $field
xdotool mouseup 3
x=400 y=200
charge_round() {
  read -r x y < <(colourful_spot charged "$x" "$y")
  point "$x" "$y"
  xdotool mousedown 3
  sleep 2
  xdotool mouseup 3
  shows charged "v > 0.05" changed sprayed charged $field
}
hang_limit=120 wait_for "new kinds after charging one object after another" charge_round

# A short click sends a wave: a ring spreads around the click (clicked again if a screenshot
# missed it).
wave_seen() {
  shot before_wave
  click_at 320 300
  local n
  for n in 1 2 3; do
    shows wave "v > 0.02" changed before_wave wave 300x300+170+150 && return 0
  done
  return 1
}
wait_for "wave ring" wave_seen

# Z zooms out while held, A zooms in.
point 320 240
shot before_zoom
xdotool keydown z
wait_for "zoomed-out view" shows zoomed_out "v > 0.01" changed before_zoom zoomed_out $field
xdotool keyup z
hold_key_until a "zoomed-in view" shows zoomed_in "v > 0.01" changed zoomed_out zoomed_in $field

# X slides the HUD away and back.
hold_key_until x "HUD sliding away" shows hud_hidden "v > 0.8" brightness hud_hidden $top_strip
hold_key_until x "HUD coming back" shows hud_back "v < 0.6" brightness hud_back $top_strip

# Return pauses: the picture stands still (the overlay at the top left aside) until Return again.
standing_still() {
  shot paused_1
  sleep 0.5
  shows paused_2 "v < 0.001" changed paused_1 paused_2 580x450+60+30
}
hold_key_until Return "still picture after Return" standing_still
sleep 1
shot paused_3
check "$(changed paused_2 paused_3 580x450+60+30)" "v < 0.001" "the play moved while paused"
hold_key_until Return "clock moving again after Return" shows resumed "v > 0.001" changed paused_3 resumed 640x30+0+450

shot play_many_kinds

# 1 returns to the title from the play.
hold_key_until 1 "title after 1" title_back back_to_title

# The clover play: space mutates at ten seconds a press, so presses end the play; the end
# picture shows, and 164 frames later the title returns.
open_menu menu
click_at 190 300
wait_for "clover play with its HUD" play_shown clover_play
end_seen=
mutate_until_title() {
  key space
  shot play_end
  [[ -n $end_seen ]] || ! true_of "$(changed clover_play play_end 400x120+120+180)" "v > 0.05" || {
    end_seen=1
    cp "$shots/play_end.png" "$shots/end_picture.png"
  }
  [[ -n $end_seen ]] && title_back after_end
}
hang_limit=120 wait_for "title after the clover play ended" mutate_until_title

# The endless play starts from the menu too.
open_menu menu
click_at 160 350
wait_for "endless play with its HUD" play_shown endless_play
hold_key_until 1 "title after 1" title_back back_to_title

# How to play, and back.
open_menu menu
click_at 160 400
wait_for "information screen" shows information "v > 0.2" changed menu information 640x480+0+0
click_at 570 440
wait_for "menu after BACK" shows menu_again "v < 0.85" brightness menu_again 180x40+90+230

# The exit button: the farewell picture, then the program ends by itself (151 frames later)
# with exit code 0.
click_at 560 50
shot closing
wait_for "end of the game after the exit button" game_ended
wait "$pid"
code=$?
pid=
[[ $code -eq 0 ]] || fail "exit code $code, expected 0"
echo "PASS"

#!/usr/bin/env bash
# Pauses a play on the real X display and checks that the paused picture stands still: with and
# without inverted colours, eight screenshots in a row have the same mean grey; the overlay's
# MUTE note comes and goes with F3 while paused; and F1 while paused leaves an enlarged window
# and its title as they are. Keys are tapped and the menu clicked instantly.
set -uo pipefail
source "$(dirname "$0")/game_driver.sh"
begin_window_test pause_test.sh "$@"

menu_shown() { shot wait && holds "$(brightness wait 180x40+90+230)" "v < 0.85"; }
play_shown() { shot wait && holds "$(brightness wait 400x26+80+2)" "v < 0.6"; }
field_dark() { shot wait && holds "$(brightness wait 600x380+20+40)" "v < 0.5"; }
field_light() { shot wait && holds "$(brightness wait 600x380+20+40)" "v > 0.5"; }
# Two screenshots a few frames apart show the same field: the play is paused.
standing_still() { shot still_1 && sleep 0.3 && shot still_2 && holds "$(changed still_1 still_2 600x380+20+40)" "v < 0.001"; }

# Eight screenshots of the paused screen: their mean greys lie within 0.01 of each other. The
# waits between them differ by odd numbers of half frames, so that a picture that changes from
# one frame to the next cannot be caught at the same phase every time.
expect_steady() {  # name
  local greys=() i pause
  for i in 1 2 3 4 5 6 7 8; do
    shot "$1_$i"
    greys+=("$(brightness "$1_$i" 640x480+0+0)")
    pause=$(awk -v i="$i" 'BEGIN { printf "%.3f", (i % 4) * 0.017 + (i % 3) * 0.033 }')
    sleep "$pause"
  done
  echo "$1: mean greys ${greys[*]}"
  check "$(printf '%s\n' "${greys[@]}" | sort -g | sed -n '1p;$p' | paste -sd' ' |
    awk '{ print $2 - $1 }')" "v <= 0.01" "the paused screen is not steady ($1: ${greys[*]})"
}

start_game "$game"
wait_brightness "v > 0.5" "the title did not follow the loading picture" 300
click_at 400 200
wait_for "an instant click on the title did not lead to the menu" menu_shown
click_at 180 250
wait_for "an instant click on NORMAL did not start a play" play_shown
sleep 1

# Inverted, then paused (F4 and Enter), the screen stays as it is.
key F4
wait_for "F4 did not invert the colours" field_dark
key Return
wait_for "the paused picture standing still" standing_still
expect_steady paused_inverted
inverted_grey=$(brightness paused_inverted_1 640x480+0+0)

# The MUTE note comes with F3 and goes with the second F3, paused as the game is.
mute_note=34x12+51+3
shot before_mute
key F3
mute_shown() { shot wait && holds "$(changed before_mute wait $mute_note)" "v > 0.05"; }
wait_for "no MUTE note after F3 while paused" mute_shown
key F3
mute_gone() { shot wait && holds "$(changed before_mute wait $mute_note)" "v < 0.01"; }
wait_for "the MUTE note stayed after the second F3 while paused" mute_gone

# Resumed, back to normal colours, and paused again.
key Return
sleep 0.3
key F4
wait_for "the second F4 did not bring the colours back" field_light
key Return
wait_for "the paused picture standing still" standing_still
expect_steady paused
normal_grey=$(brightness paused_1 640x480+0+0)
check "$(awk -v a="$inverted_grey" -v b="$normal_grey" 'BEGIN { print a + b }')" "v > 0.9 && v < 1.1" \
  "the inverted pause is not the normal one inverted ($inverted_grey, $normal_grey)"

# F1 while paused: an enlarged window keeps its size and its title.
key F2
title_800() { [[ $(xdotool getwindowname "$window") == "Mossbloom --- 800 × 600" ]]; }
wait_for "F2 did not enlarge the window while paused" title_800
locate_window
# F3 goes after F1: once the MUTE note shows, F1 has been read too.
shot before_mute
key F1 F3
wait_for "no MUTE note after F1 and F3 while paused" mute_shown
name=$(xdotool getwindowname "$window")
size=$(xwininfo -id "$window" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
[[ $name == "Mossbloom --- 800 × 600" ]] || fail "F1 while paused changed the title to '$name'"
[[ $size == 800x600 ]] || fail "F1 while paused changed the window to $size"

quit_with_escape
echo "PASS"

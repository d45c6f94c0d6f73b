#!/usr/bin/env bash
# Replays on the real X display. The game, started with --record, plays a clover play from the
# menu: spraying, charging, instant and held clicks, zoom out, in and locked, the HUD key, a
# pause with the mouse moving, and mutations until the time is up. Its "play ended" line is then
# reproduced exactly by the simulator's --replay of the file it wrote, and by the game showing
# the file with --replay while the player's own mouse wanders. A play killed with SIGKILL leaves
# a partial replay that the simulator runs to its last frame. A folder that cannot be made costs
# one message and the game goes on; a damaged replay is refused before any window opens.
set -uo pipefail
game=$(realpath "${1:?usage: replay_test.sh path/to/mossbloom path/to/mossbloom-sim [screenshot-folder]}")
sim=$(realpath "${2:?usage: replay_test.sh path/to/mossbloom path/to/mossbloom-sim [screenshot-folder]}")
work=$(mktemp -d)
shots=${3:-$work/shots}
source "$(dirname "$0")/game_driver.sh"
trap 'stop_strokes; stop_game; rm -rf "$work"' EXIT
mkdir -p "$shots"

# A play: the HUD strips dark at the top and the bottom around a field of paper.
play_shown() {
  shot wait && holds "$(brightness wait 400x26+80+2)" "v < 0.6" && holds "$(brightness wait 640x26+0+452)" "v < 0.7" &&
    holds "$(brightness wait 600x380+20+40)" "v > 0.6"
}
menu_shown() { shot wait && holds "$(brightness wait 180x40+90+230)" "v < 0.85"; }
title_shown() { shot wait && holds "$(brightness wait 640x480+0+0)" "v > 0.5"; }
ended_line() { grep -m1 '^play ended: ' "$work/stdout"; }
play_ended() { [[ -n $(ended_line) ]]; }

# From the title through the menu into the play of the button at x y.
start_play() {  # x y
  wait_for "the title" title_shown
  click_at 400 200
  wait_for "the menu" menu_shown
  click_at "$1" "$2"
  wait_for "a play with its HUD" play_shown
}

# Spraying: strokes with the left button held, from where the pointer is, until stopped.
start_spraying() {
  point 150 150
  xdotool mousedown 1
  start_strokes
}
stop_spraying() {
  stop_strokes
  xdotool mouseup 1
}

# ---- A recorded play ----------------------------------------------------------------------

replays=$work/replays
game_args=(--record "$replays")
start_game "$game"
start_play 190 300

start_spraying
sleep 2
stop_spraying

# Charging: the right button held on the middle of the field, then on the busiest spot.
point 320 240
xdotool mousedown 3
sleep 2
xdotool mouseup 3
shot charging
read -r x y < <(colourful_spot charging 320 240)
point "$x" "$y"
xdotool mousedown 3
sleep 2
xdotool mouseup 3

# Short clicks, as a touchpad taps them and as a mouse presses them, of both buttons.
click_at 300 300 1
click_at 340 260 3
press_at 200 320 1
press_at 420 200 3

# The view: Z held zooms out, A held zooms in, Shift+Z locks the zoom out and again unlocks it;
# X slides the HUD away and back.
point 320 240
xdotool keydown z
sleep 0.5
xdotool keyup z
xdotool keydown a
sleep 0.5
xdotool keyup a
xdotool keydown shift
key z
sleep 0.5
key z
xdotool keyup shift
key x
sleep 0.5
key x

# A pause with the mouse moving and Z let go and pressed again while it lasts.
xdotool keydown z
sleep 0.2
key Return
start_strokes
sleep 0.3
xdotool keyup z
sleep 0.3
xdotool keydown z
stop_strokes
key Return
sleep 0.3
xdotool keyup z

# Mutations until the time is up; the play ends and its line is printed.
mutate() {
  key space
  play_ended
}
hang_limit=300 wait_for "the end of the clover play" mutate
line=$(ended_line)
echo "the game: $line"
quit_with_escape

files=("$replays"/*)
[[ ${#files[@]} -eq 1 && ${files[0]} == *-clover.replay ]] || fail "expected one clover replay in $replays, found: ${files[*]}"
replay=${files[0]}
grep -q '^partial: no$' "$replay" || fail "the finished replay is marked partial"
grep -q '^resume: ' "$replay" || fail "the pause left no resume line in the replay"
grep -q ' z$\| z \| space' "$replay" || fail "the keys are missing from the replay"
echo "replay: $(wc -l <"$replay") lines, $(grep -c '^[0-9]' "$replay") frame lines"

# The simulator runs it to the same score and digest.
"$sim" --replay "$replay" >"$work/sim_out" 2>"$work/sim_err"
code=$?
[[ $code -eq 0 ]] || fail "the simulator's --replay ended with $code: $(cat "$work/sim_err")"
score=$(sed -n 's/^score: //p' "$work/sim_out")
digest=$(sed -n 's/^digest: //p' "$work/sim_out")
[[ $line == "play ended: mode clover score $score digest $digest" ]] ||
  fail "the simulator's replay ends with score $score digest $digest, the game printed: $line"

# ---- The game shows it --------------------------------------------------------------------

game_args=(--replay "$replay")
start_game "$game"
wait_for "the shown play" play_shown
# The player's own mouse wanders and clicks: the play takes none of it.
start_strokes
sleep 1
xdotool click 1
xdotool click 3
stop_strokes
shot shown
hang_limit=300 wait_for "the end of the shown play" play_ended
[[ $(ended_line) == "$line" ]] || fail "the shown replay ended with '$(ended_line)', the play with '$line'"
wait_for "the title after the shown play" title_shown
quit_with_escape

# ---- A killed play leaves a partial replay ------------------------------------------------

killed=$work/killed
game_args=(--record "$killed")
start_game "$game"
start_play 180 250
start_spraying
partial_in_place() { compgen -G "$killed/*-normal.replay" >/dev/null && grep -q '^partial: yes$' "$killed"/*-normal.replay; }
wait_for "a partial replay 10 s into the play" partial_in_place
sleep 1
stop_spraying
kill -9 "$pid"
wait "$pid" 2>/dev/null
pid=
partial=$(compgen -G "$killed/*-normal.replay")
"$sim" --replay "$partial" >"$work/sim_out" 2>"$work/sim_err"
code=$?
[[ $code -eq 0 ]] || fail "the simulator's --replay of the partial replay ended with $code: $(cat "$work/sim_err")"
grep -q '^partial: yes$' "$work/sim_out" || fail "the simulator did not say partial: yes"
frames=$(sed -n 's/^frames: //p' "$work/sim_out")
holds "$frames" "v > 0" || fail "the partial replay holds only $frames frames"
echo "the killed play's partial replay: $frames frames"

# ---- A folder that cannot be made, a damaged replay ---------------------------------------

touch "$work/a_file"
game_args=(--record "$work/a_file/replays")
start_game "$game"
wait_for "the title without a record folder" title_shown
grep -q '^Replays are not recorded: the folder .*/a_file/replays cannot be made (Not a directory). The game goes on.$' \
  "$work/stderr" || fail "no message about the record folder: $(cat "$work/stderr")"
quit_with_escape

head -c 300 "$replay" >"$work/cut.replay"
"$game" --replay "$work/cut.replay" >/dev/null 2>"$work/err"
code=$?
[[ $code -eq 2 ]] || fail "a cut replay ended the game with $code, expected 2"
grep -q "cut.replay:[0-9]*: the file is cut short" "$work/err" || fail "no message for the cut replay: $(cat "$work/err")"
echo "PASS"

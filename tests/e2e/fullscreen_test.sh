#!/usr/bin/env bash
# Full screen (F1) on a wide 1920 x 1080 X display of its own, once without a window manager and
# once under openbox: the window covers the display, the whole 640 x 480 picture is scaled to
# 1440 x 1080 between black bars at the sides, the game's cursor sits under the pointer, the menu
# buttons react where they are shown, and F1 brings the window back as it was.
set -uo pipefail
game=$(realpath "${1:?usage: fullscreen_test.sh path/to/mossbloom [screenshot-folder]}")
work=$(mktemp -d)
shots_root=${2:-$work/shots}
source "$(dirname "$0")/game_driver.sh"

servers=()
cleanup() {
  stop_game
  local p
  for p in "${servers[@]}"; do kill "$p" 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT

# The picture on the wide display: 2.25 times the logical screen, 240 pixels from the left.
screen_x() { echo $((240 + $1 * 9 / 4)); }
screen_y() { echo $(($1 * 9 / 4)); }

# Starts an X server of its own on a free display number and points DISPLAY at it.
start_display() {
  local fifo=$work/display.$RANDOM number=
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  servers+=($!)
  read -r -t 60 number <"$fifo" || fail "the X server did not start"
  export DISPLAY=:$number
}

geometry() {
  xwininfo -id "$window" | awk '/Absolute upper-left X:/ {x=$4} /Absolute upper-left Y:/ {y=$4}
    /Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h "+" x "+" y}'
}
covers_display() { [[ $(geometry) == "1920x1080+0+0" ]]; }

# Screenshot of the whole display into $shots/NAME.png, and measures over it.
full_shot() { import -window root "$shots/$1.png" || fail "no screenshot"; }
full_brightness() { convert "$shots/$1.png" -crop "$2" +repage -colorspace Gray -format "%[fx:mean]" info:; }
full_maximum() { convert "$shots/$1.png" -crop "$2" +repage -colorspace Gray -format "%[fx:maxima]" info:; }

# The centre of the pixels within 60 pixels of (x, y) that differ between two screenshots: x y
moved_centre() {  # name1 name2 x y
  local box=120x120+$(($3 - 60))+$(($4 - 60))
  convert "$shots/$1.png" "$shots/$2.png" -crop "$box" +repage -compose difference -composite \
    -colorspace Gray -threshold 10% txt:- |
    awk -F'[ ,:()]+' -v x0=$(($3 - 60)) -v y0=$(($4 - 60)) 'NR > 1 && $4 > 0 { sx += $1; sy += $2; n++ }
      END { if (n < 20) print "none"; else printf "%d %d\n", x0 + sx / n, y0 + sy / n }'
}

menu_in_full_screen() { full_shot wait && holds "$(full_brightness wait 405x90+442+517)" "v < 0.85"; }
play_in_full_screen() { full_shot wait && holds "$(full_brightness wait 900x58+420+4)" "v < 0.6"; }
information_shown() { shot wait && holds "$(changed menu wait 640x480+0+0)" "v > 0.2"; }
menu_shown() { shot menu && holds "$(brightness menu 180x40+90+230)" "v < 0.85"; }

run_case() {  # none|openbox
  local wm=$1 before after name x y centre
  shots=$shots_root/$wm
  mkdir -p "$shots"
  start_display
  if [[ $wm == openbox ]]; then
    openbox >/dev/null 2>&1 &
    servers+=($!)
    wm_runs() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; }
    local until=$((SECONDS + 60))
    until wm_runs; do
      ((SECONDS < until)) || fail "openbox did not start"
      sleep 0.1
    done
  fi
  start_game "$game"
  wait_brightness "v > 0.5" "the title did not follow the loading picture ($wm)" 300
  click_at 400 200
  wait_for "no menu after a click on the title ($wm)" menu_shown
  click_at 160 400
  wait_for "no information page ($wm)" information_shown
  point 600 440
  # The page stands still but for the spinning cursor: the windowed picture to compare with.
  page_settled() { shot windowed && shot windowed_again && holds "$(changed windowed windowed_again 560x400+0+0)" "v < 0.001"; }
  wait_for "the information page standing still ($wm)" page_settled
  before=$(geometry)

  key F1
  wait_for "the window does not cover the display in full screen ($wm): $(geometry)" covers_display
  xdotool mousemove "$(screen_x 600)" "$(screen_y 440)"
  # The whole picture: scaled back down it is the windowed one, the FPS line and the page alike
  # (both softened a little, so that the two scalings' own edges do not count); black bars beside
  # it, none above or below it. Looked at until the game has drawn at the new size.
  whole_picture_shown() {
    full_shot full
    holds "$(full_maximum full 240x1080+0+0)" "v < 0.02" && holds "$(full_maximum full 240x1080+1680+0)" "v < 0.02" &&
      holds "$(full_brightness full 1440x20+240+0)" "v > 0.5" &&
      holds "$(full_brightness full 1440x20+240+1060)" "v > 0.5" || return 1
    convert "$shots/full.png" -crop 1440x1080+240+0 +repage -resize 640x480! -blur 0x2 "$shots/full_soft.png"
    convert "$shots/windowed.png" -blur 0x2 "$shots/windowed_soft.png"
    holds "$(changed windowed_soft full_soft 640x480+0+0)" "v < 0.02" &&
      holds "$(changed windowed_soft full_soft 30x14+0+0)" "v < 0.1"
  }
  wait_for "the whole picture between black side bars, none above or below ($wm)" whole_picture_shown

  # The game's cursor follows the pointer exactly. The pointer visits two spots in turn; a busy
  # game may draw late, so each round waits a little longer before its screenshots.
  local round=0
  cursor_under_pointer() {
    round=$((round + 1))
    xdotool mousemove "$(screen_x 200)" "$(screen_y 150)"
    sleep "$(awk -v r="$round" 'BEGIN { print 0.5 * r }')"
    full_shot cursor_a
    xdotool mousemove "$(screen_x 450)" "$(screen_y 300)"
    sleep "$(awk -v r="$round" 'BEGIN { print 0.5 * r }')"
    full_shot cursor_b
    for spot in "200 150" "450 300"; do
      read -r x y <<<"$spot"
      centre=$(moved_centre cursor_a cursor_b "$(screen_x "$x")" "$(screen_y "$y")")
      echo "$wm: pointer at $(screen_x "$x") $(screen_y "$y"), cursor drawn around $centre"
      [[ $centre != none ]] || return 1
      read -r cx cy <<<"$centre"
      holds "$(((cx - $(screen_x "$x")) ** 2 + (cy - $(screen_y "$y")) ** 2))" "v <= 100" || return 1
    done
  }
  wait_for "the cursor drawn under the pointer ($wm)" cursor_under_pointer

  # Buttons react where they are shown: BACK, then NORMAL, with instant clicks.
  xdotool mousemove "$(screen_x 570)" "$(screen_y 440)" click 1
  wait_for "BACK did not react where it is shown ($wm)" menu_in_full_screen
  xdotool mousemove "$(screen_x 180)" "$(screen_y 250)" click 1
  wait_for "NORMAL did not react where it is shown ($wm)" play_in_full_screen

  # F1 again: the window comes back at its place and size, with its title.
  key F1
  back_again() { [[ $(geometry) == "$before" ]]; }
  wait_for "the window did not come back as $before ($wm): $(geometry)" back_again
  name=$(xdotool getwindowname "$window")
  [[ $name == "Mossbloom --- 640 × 480" ]] || fail "title '$name' after full screen ($wm)"
  quit_with_escape
  echo "$wm: PASS"
}

run_case none
run_case openbox
echo "PASS"

#!/usr/bin/env bash
# Starts the game from another folder on the X display, checks its window and title, steps the
# window through its six scales with F2, checks a screenshot of the loading picture and the
# debug overlay, and ends the game with Escape (exit code 0).
set -uo pipefail
game=${1:?usage: window_test.sh path/to/mossbloom}
work=$(mktemp -d)
shots=$work
trap 'stop_game; rm -rf "$work"' EXIT
source "$(dirname "$0")/game_driver.sh"

start_game "$game"

client_size() { xwininfo -id "$window" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}'; }

# Waits until the window has the title and client size asked for.
expect_window() {
  local title=$1 size=$2 name= got=
  for _ in $(seq 1 50); do
    name=$(xdotool getwindowname "$window")
    got=$(client_size)
    [[ $name == "$title" && $got == "$size" ]] && return 0
    sleep 0.1
  done
  fail "expected title '$title' and client $size, saw '$name' and $got"
}

expect_window "Mossbloom --- 640 × 480" 640x480

# The loading picture on black, bright in the lower right, with the overlay's FPS at the top left.
# Share of pixels brighter than a threshold within a region of the window.
bright_share() {  # geometry threshold%
  convert "$work/window.png" -crop "$1" +repage -colorspace Gray -threshold "$2" -format "%[fx:mean]" info:
}
loading_picture_shown() {
  import -window root "$work/screen.png" || fail "no screenshot"
  convert "$work/screen.png" -crop "640x480+$left+$top" +repage "$work/window.png"
  dark=$(convert "$work/window.png" -colorspace Gray -threshold 8% -negate -format "%[fx:mean]" info:)
  picture=$(bright_share 340x70+300+410 40%)
  overlay=$(bright_share 60x20+0+0 60%)
  elsewhere=$(bright_share 640x380+0+30 40%)
  echo "dark share $dark, picture $picture, overlay $overlay, elsewhere $elsewhere"
  awk -v d="$dark" -v p="$picture" -v o="$overlay" -v e="$elsewhere" \
    'BEGIN { exit !(d > 0.85 && p > 0.02 && o > 0.02 && e < 0.01) }'
}
# The boot scene shows it for about a second before the title takes over, so look a few
# times early on and keep the first screenshot that shows the loading picture.
seen=
for _ in 1 2 3 4 5 6; do
  if loading_picture_shown; then seen=1; break; fi
  sleep 0.1
done
[[ -n $seen ]] || fail "no loading picture on black with the overlay's FPS at the top left"

# F2 walks through the six scales and back to the start.
for size in "800 600" "960 720" "1024 768" "1120 840" "1280 960" "640 480"; do
  read -r w h <<<"$size"
  xdotool key F2
  expect_window "Mossbloom --- $w × $h" "${w}x${h}"
done

# Escape ends the game with exit code 0.
quit_with_escape
echo "PASS"

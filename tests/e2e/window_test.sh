#!/usr/bin/env bash
# Starts the game from another folder on the X display, checks its window and title, steps the
# window through its six scales with F2 (at 2x the picture's pixels must stay crisp), checks a
# screenshot of the loading picture and the debug overlay, and ends the game with Escape (exit
# code 0).
set -uo pipefail
game=${1:?usage: window_test.sh path/to/mossbloom}
work=$(mktemp -d)
shots=$work
trap 'stop_game; rm -rf "$work"' EXIT
source "$(dirname "$0")/game_driver.sh"

start_game "$game"

client_size() { xwininfo -id "$window" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}'; }

# The window has the title and client size asked for.
window_is() {  # title size
  local name got
  name=$(xdotool getwindowname "$window")
  got=$(client_size)
  [[ $name == "$1" && $got == "$2" ]] && return 0
  echo "waiting for title '$1' and client $2, saw '$name' and $got"
  return 1
}

wait_for "title and size of a 640 x 480 window" window_is "Mossbloom --- 640 × 480" 640x480

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
# The boot scene shows it until the frame rate is steady, then the title on white paper takes
# over: look until the loading picture shows, and fail if the title comes first.
loading_or_title() {
  loading_picture_shown && return 0
  [[ $(brightness_of_window) == bright ]] && fail "the title came without a loading picture on black with the overlay's FPS"
  return 1
}
brightness_of_window() {
  convert "$work/window.png" -colorspace Gray -format "%[fx:mean > 0.5 ? 1 : 0]" info: | sed 's/1/bright/'
}
wait_for "loading picture on black with the overlay's FPS at the top left" loading_or_title

# At exactly twice the size every pixel of the picture is a crisp 2 x 2 square: taking every
# other pixel and doubling them again gives the same screenshot back, glyph edges and all.
# The window may show a frame or two drawn for its old size first, so look until the game has
# drawn at the new one (the limit only catches a hang).
expect_crisp_double() {
  local x y blurred= until=$((SECONDS + 30))
  read -r x y < <(xwininfo -id "$window" |
    awk '/Absolute upper-left X:/ {x=$4} /Absolute upper-left Y:/ {y=$4} END {print x, y}')
  while ((SECONDS < until)); do
    import -window root "$work/screen.png" || fail "no screenshot"
    convert "$work/screen.png" -crop "1280x960+$x+$y" +repage "$work/double.png"
    convert "$work/double.png" -sample 50% -sample 200% "$work/resampled.png"
    blurred=$(compare -metric AE "$work/double.png" "$work/resampled.png" null: 2>&1)
    [[ ${blurred%% *} == 0 ]] && break
    sleep 0.2
  done
  echo "pixels that are not part of a 2 x 2 square at 2x: $blurred"
  [[ ${blurred%% *} == 0 ]] || fail "the picture at 1280 x 960 is smoothed ($blurred pixels)"
}

# F2 walks through the six scales and back to the start.
for size in "800 600" "960 720" "1024 768" "1120 840" "1280 960" "640 480"; do
  read -r w h <<<"$size"
  # F2 acts on the key event itself, which waits in the queue: an instant press is never lost.
  xdotool key F2
  wait_for "title and size of a $w x $h window" window_is "Mossbloom --- $w × $h" "${w}x${h}"
  [[ $w == 1280 ]] && expect_crisp_double
done

# Escape ends the game with exit code 0.
quit_with_escape
echo "PASS"

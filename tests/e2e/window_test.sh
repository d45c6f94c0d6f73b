#!/usr/bin/env bash
# Starts the game from another folder on the X display, checks its window and title, steps the
# window through its six scales with F2, checks a screenshot of the loading picture and the
# debug overlay, and ends the game with Escape (exit code 0).
set -uo pipefail
game=${1:?usage: window_test.sh path/to/mossbloom}
work=$(mktemp -d)
pid=
cleanup() {
  [[ -n $pid ]] && kill "$pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; [[ -s $work/stderr ]] && sed 's/^/game: /' "$work/stderr" >&2; exit 1; }

cd "$work"
SDL_AUDIODRIVER=dummy "$game" >"$work/stdout" 2>"$work/stderr" &
pid=$!

window=
for _ in $(seq 1 100); do
  window=$(xdotool search --onlyvisible --name "^Mossbloom" 2>/dev/null | head -n 1)
  [[ -n $window ]] && break
  kill -0 "$pid" 2>/dev/null || fail "the game ended before its window appeared"
  sleep 0.1
done
[[ -n $window ]] || fail "no window named Mossbloom appeared"
xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"

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
read -r left top < <(xwininfo -id "$window" | awk '/Absolute upper-left X:/ {x=$4} /Absolute upper-left Y:/ {y=$4} END {print x, y}')
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

# Escape ends the game with exit code 0. The game reads the keyboard's state once a frame, so
# the key is held for a few frames as a person would, not tapped within one.
xdotool keydown Escape
sleep 0.2
xdotool keyup Escape
for _ in $(seq 1 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "Escape did not end the game"
wait "$pid"
code=$?
pid=
[[ $code -eq 0 ]] || fail "exit code $code after Escape, expected 0"
echo "PASS"

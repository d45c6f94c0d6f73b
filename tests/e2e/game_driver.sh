# Helpers for driving the real game on an X display, sourced by the end-to-end scripts.
# They start the game, find its window, take screenshots of its 640 x 480 client area and
# measure regions of them. Expects $work (a scratch folder) and $shots (where screenshots go).
# Every wait is for a state (a window, a picture, the game's end), never for a time: its limit
# only catches a hang, so the tests pass however busy the machine is.

pid=
window=
left=0
top=0
hang_limit=${MOSSBLOOM_HANG_LIMIT:-60}   # seconds
audio_driver=dummy                        # the SDL audio driver start_game gives the game

fail() {
  echo "FAIL: $*" >&2
  [[ -s $work/stderr ]] && sed 's/^/game: /' "$work/stderr" >&2
  exit 1
}

stop_game() {
  [[ -n $pid ]] && kill "$pid" 2>/dev/null
  pid=
}

# The common start of a real-window test script: the game at $2, a scratch folder $work,
# screenshots in $3 (or the scratch folder), and at the end the game stopped and $work removed.
begin_window_test() {  # script-name path/to/mossbloom [screenshot-folder]
  game=$(realpath "${2:?usage: $1 path/to/mossbloom [screenshot-folder]}")
  work=$(mktemp -d)
  shots=${3:-$work/shots}
  mkdir -p "$shots"
  trap 'stop_game; rm -rf "$work"' EXIT
}

game_running() { [[ -n $pid ]] && kill -0 "$pid" 2>/dev/null; }

# Runs a check again and again until it succeeds. Fails when the game ends first, or when the
# hang limit passes (hang_limit=N before the call gives one wait a longer limit).
wait_for() {  # description command...
  local what=$1 deadline=$((SECONDS + hang_limit))
  shift
  until "$@"; do
    [[ -z $pid ]] || game_running || fail "the game ended while waiting: $what"
    ((SECONDS < deadline)) || fail "waited $hang_limit s in vain (a hang): $what"
    sleep 0.1
  done
}

# This game's own window: one of a game that just ended may still be on the display.
find_window() {
  window=$(xdotool search --all --onlyvisible --pid "$pid" --name "^Mossbloom" 2>/dev/null | head -n 1)
  [[ -n $window ]]
}

game_args=()                              # options start_game gives the game
start_game() {  # path/to/mossbloom [folder to start it in, $work by default]
  (cd "${2:-$work}" && SDL_AUDIODRIVER=$audio_driver exec "$1" "${game_args[@]}" >"$work/stdout" 2>"$work/stderr") &
  pid=$!
  wait_for "window named Mossbloom" find_window
  xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
  locate_window
}

# Where the client area lies on the display; again after the window moved (F2 centres it anew).
locate_window() {
  read -r left top < <(xwininfo -id "$window" |
    awk '/Absolute upper-left X:/ {x=$4} /Absolute upper-left Y:/ {y=$4} END {print x, y}')
}

game_ended() { ! game_running; }

# Holds Escape until the game has ended, as a player holds a key until something happens, and
# expects exit code 0.
quit_with_escape() {
  xdotool keydown --window "$window" Escape 2>/dev/null || xdotool keydown Escape
  wait_for "end of the game after Escape" game_ended
  xdotool keyup Escape 2>/dev/null
  wait "$pid"
  local code=$?
  pid=
  [[ $code -eq 0 ]] || fail "exit code $code after Escape, expected 0"
}

# Screenshot of the client area into $shots/NAME.png.
shot() {
  import -window root "$work/root.png" || fail "no screenshot"
  convert "$work/root.png" -crop "640x480+$left+$top" +repage "$shots/$1.png"
}

# Mean brightness (0..1) of a region WxH+X+Y of a screenshot.
brightness() {  # name geometry
  convert "$shots/$1.png" -crop "$2" +repage -colorspace Gray -format "%[fx:mean]" info:
}

# Share (0..1) of the pixels of a region darker than 40 % grey.
dark_share() {  # name geometry
  convert "$shots/$1.png" -crop "$2" +repage -colorspace Gray -threshold 40% -negate -format "%[fx:mean]" info:
}

# Share (0..1) of the pixels of a region where blue stands out over red.
blue_share() {  # name geometry
  convert "$shots/$1.png" -crop "$2" +repage -fx "b-r>0.25?1:0" -colorspace Gray -format "%[fx:mean]" info:
}

# Share (0..1) of the pixels of a region that differ by more than 8 % between two screenshots.
changed() {  # name1 name2 geometry
  local a=$work/cmp_a.png b=$work/cmp_b.png n
  convert "$shots/$1.png" -crop "$3" +repage "$a"
  convert "$shots/$2.png" -crop "$3" +repage "$b"
  n=$(compare -metric AE -fuzz 8% "$a" "$b" null: 2>&1 >/dev/null)
  local w=${3%%x*} rest=${3#*x}
  local h=${rest%%+*}
  awk -v n="${n%% *}" -v w="$w" -v h="$h" 'BEGIN { printf "%.4f\n", n / (w * h) }'
}

# Succeeds when the awk condition over $v holds.
check() {  # value condition message
  awk -v v="$1" "BEGIN { exit !($2) }" || fail "$3 (measured $1)"
}

# Pointer inside the game's screen.
point() { xdotool mousemove --window "$window" "$1" "$2"; }
# An instant click, pressed and released at once, as a touchpad's tap sends it.
click_at() {  # x y [button]
  point "$1" "$2"
  sleep 0.15
  xdotool click "${3:-1}"
}
# A click held for a few frames, as a mouse button is pressed.
press_at() {  # x y [button]
  point "$1" "$2"
  sleep 0.15
  xdotool mousedown "${3:-1}"
  sleep 0.15
  xdotool mouseup "${3:-1}"
}
# Instant key taps, as a quick typist makes them.
key() {
  local k
  for k in "$@"; do
    xdotool key "$k"
    sleep 0.1
  done
}
# Keys held for a few frames each.
hold_key() {
  local k
  for k in "$@"; do
    xdotool keydown "$k"
    sleep 0.12
    xdotool keyup "$k"
  done
}

# Moves the pointer in strokes over the field, in a loop of its own, until stop_strokes: along
# x from x0 in steps of dx (wrapping after nx), along y from y0 in steps of dy (after ny).
mover=
start_strokes() {  # [x0 y0 dx dy nx ny]
  local x0=${1:-120} y0=${2:-120} dx=${3:-9} dy=${4:-30} nx=${5:-45} ny=${6:-7}
  (
    for ((stroke = 1; ; stroke++)); do
      point $((x0 + (stroke % nx) * dx)) $((y0 + (stroke % ny) * dy))
      sleep 0.04
    done
  ) &
  mover=$!
}
stop_strokes() {
  [[ -n $mover ]] || return 0
  kill "$mover" 2>/dev/null
  wait "$mover" 2>/dev/null
  mover=
}

# Succeeds quietly when the awk condition over $v holds.
holds() { awk -v v="$1" "BEGIN { exit !($2) }"; }

# Holds a key down until its effect can be seen, however slowly the game runs.
hold_key_until() {  # key description command...
  local k=$1
  shift
  xdotool keydown "$k"
  wait_for "$@"
  xdotool keyup "$k"
}

# Takes screenshot NAME and succeeds when a measurement of it meets an awk condition on v.
shows() {  # name condition measurement-command...
  local name=$1 condition=$2 v
  shift 2
  shot "$name"
  v=$("$@")
  awk -v v="$v" "BEGIN { exit !($condition) }"
}

# Waits until the screen's brightness passes a bound, or fails.
wait_brightness() {  # condition-on-v message
  wait_for "picture: $2" shows wait "$1" brightness wait 640x480+0+0
}

# The title's letters on its paper (the screenshot stays as "title").
# (The word takes about a quarter of the band; the pictures before it far less, a black frame all.)
title_letters_shown() { shows title "v > 0.18 && v < 0.6" dark_share title 540x140+60+80; }

# The centre of the most colourful 20 x 20 cell of the field, at least 80 pixels from (ax, ay): x y
colourful_spot() {  # name ax ay
  convert "$shots/$1.png" -crop 600x380+20+40 +repage -colorspace HSL -channel G -separate +channel \
    -scale 30x19! txt:- |
    awk -F'[ ,:()]+' -v ax="$2" -v ay="$3" 'NR > 1 {
      x = 20 + $1 * 20 + 10; y = 40 + $2 * 20 + 10
      if ((x - ax) ^ 2 + (y - ay) ^ 2 < 6400) next
      if ($4 > best) { best = $4; bx = x; by = y }
    } END { print bx + 0, by + 0 }'
}

#!/usr/bin/env bash
# Copies the laid-out game to a temporary folder, removes one data file and starts it from
# elsewhere: the game must show its message in a box that stays until OK is pressed (the text,
# and under it the English line naming the file), write the same two lines to standard error,
# and end with exit code 1 once OK is clicked. A screenshot of the box is kept.
#   missing_file_test.sh GAME_DIR relative/file "expected message" "expected English line" box.png
set -uo pipefail
game_dir=${1:?usage: missing_file_test.sh GAME_DIR relative/file message english-line box.png}
missing=${2:?}
message=${3:?}
english=${4:?}
keep=${5:?}
work=$(mktemp -d)
pid=
cleanup() {
  [[ -n $pid ]] && kill "$pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; [[ -s $work/stderr ]] && sed 's/^/game: /' "$work/stderr" >&2; exit 1; }
source "$(dirname "$0")/message_box.sh"

cp -r "$game_dir" "$work/game"
[[ -e $work/game/$missing ]] || fail "$missing is not part of the game"
rm "$work/game/$missing"
mkdir "$work/elsewhere"
mkdir -p "$(dirname "$keep")"
cd "$work/elsewhere"
SDL_AUDIODRIVER=dummy "$work/game/mossbloom" >"$work/stdout" 2>"$work/stderr" &
pid=$!

wait_for_box
two_lines_on_stderr "$message" "^${english//./\\.}\$" || fail "standard error lacks the two lines '$message' and '$english'"
box_screenshot "$keep"
game_alive || fail "the game ended before OK was pressed"
press_ok click
wait_for_end
[[ $code -eq 1 ]] || fail "exit code $code after OK without $missing, expected 1"
echo "PASS: the box showed (screenshot $keep), OK ended the game with exit code 1"

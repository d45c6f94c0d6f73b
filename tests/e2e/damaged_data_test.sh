#!/usr/bin/env bash
# One data file of the laid-out game, damaged four ways in turn (missing, empty, cut to half its
# length, replaced by 4096 random bytes): each time the game, started from another folder, must
# show the file's message in a box (the text, and under it an English line naming the file), write
# the same two lines to standard error, wait for OK (pressed with Return) and then end with exit
# code 1, with no sanitizer report, and every data file must be byte for byte as it was before the
# run. How long the message takes is measured by scripts/bench, not here.
#   damaged_data_test.sh GAME_DIR GAME_BINARY relative/file "expected message"
# GAME_DIR gives the data; GAME_BINARY is the game to run (the sanitizer build in the tests).
set -uo pipefail
game_dir=${1:?usage: damaged_data_test.sh GAME_DIR GAME_BINARY relative/file expected-message}
binary=${2:?}
file=${3:?}
message=${4:?}
work=$(mktemp -d)
pid=
cleanup() {
  [[ -n $pid ]] && kill -9 "$pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
failures=0
# A failure ends the damage being tried (the script goes on with the next one) and fails the test.
fail() {
  echo "FAIL: $file $damage: $*" >&2
  [[ -s $work/stderr ]] && sed 's/^/  game: /' "$work/stderr" | head -40 >&2
  exit 1
}
source "$(dirname "$0")/message_box.sh"
# The English line names the file: "Could not load the image img/x.png.bnd", "... the sound ...".
english="^Could not [a-z ]+ ${file//./\\.}\$"

[[ -e $game_dir/$file ]] || { echo "FAIL: $file is not part of the game" >&2; exit 1; }
# Leak checking is left to the simulator's soak: the display and sound libraries keep memory
# they never free at exit, and a fatal message ends the game with std::exit.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0:halt_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}

# Reproducible random bytes: the same file name always gets the same noise.
random_bytes() {
  local count=$1 i
  RANDOM=$(( $(printf '%s' "$file" | cksum | cut -d' ' -f1) % 32768 ))
  for ((i = 0; i < count; i++)); do printf "\\$(printf '%03o' $((RANDOM % 256)))"; done
}

data_sums() { (cd "$work/game" && find img sound -type f | sort | xargs sha256sum); }

for damage in missing empty truncated random; do
  rm -rf "$work/game" "$work/elsewhere" "$work/stderr"
  cp -r "$game_dir" "$work/game"
  rm -f "$work/game/mossbloom" "$work/game/mossbloom-sim"
  cp "$binary" "$work/game/mossbloom"
  mkdir "$work/elsewhere"
  target=$work/game/$file
  size=$(stat -c %s "$target")
  case $damage in
    missing) rm "$target" ;;
    empty) : >"$target" ;;
    truncated) truncate -s $((size / 2)) "$target" ;;
    random) random_bytes 4096 >"$target" ;;
  esac
  before=$(data_sums)

  # Each damage runs in a subshell, so that a failure ends only that damage.
  (
    trap '[[ -n $pid ]] && kill -9 "$pid" 2>/dev/null' EXIT
    (cd "$work/elsewhere" && exec "$work/game/mossbloom" >"$work/stdout" 2>"$work/stderr") &
    pid=$!
    wait_for_box
    two_lines_on_stderr "$message" "$english" || fail "standard error lacks '$message' with the English line under it"
    box_screenshot "$work/box.png"
    game_alive || fail "the game ended before OK was pressed"
    press_ok key
    wait_for_end
    [[ $code -eq 1 ]] || fail "exit code $code after OK, expected 1"
    if grep -qE "Sanitizer|runtime error:" "$work/stderr"; then fail "a sanitizer report"; fi
    [[ "$(data_sums)" == "$before" ]] || fail "a data file changed"
    echo "ok: $file $damage: box shown, exit code $code after OK: $(grep -E "$english" "$work/stderr")"
  ) || failures=$((failures + 1))
done
[[ $failures -eq 0 ]] && echo "PASS" || exit 1

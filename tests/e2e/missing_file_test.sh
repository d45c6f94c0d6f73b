#!/usr/bin/env bash
# Copies the laid-out game to a temporary folder, removes one data file and starts it from
# elsewhere: the game must end with the file's message on standard error and exit code 1.
set -uo pipefail
game_dir=${1:?usage: missing_file_test.sh path/to/game-folder relative/file expected-message}
missing=${2:?}
message=${3:?}
work=$(mktemp -d)
pid=
cleanup() {
  [[ -n $pid ]] && kill "$pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; [[ -s $work/stderr ]] && sed 's/^/game: /' "$work/stderr" >&2; exit 1; }

cp -r "$game_dir" "$work/game"
[[ -e $work/game/$missing ]] || fail "$missing is not part of the game"
rm "$work/game/$missing"
mkdir "$work/elsewhere"
cd "$work/elsewhere"
SDL_AUDIODRIVER=dummy "$work/game/mossbloom" >"$work/stdout" 2>"$work/stderr" &
pid=$!

# The message also shows in a box that waits for OK: answer it once the text is out.
for _ in $(seq 1 150); do
  kill -0 "$pid" 2>/dev/null || break
  if grep -qF "$message" "$work/stderr"; then
    for box in $(xdotool search --onlyvisible --name "^$" 2>/dev/null); do
      xdotool windowfocus "$box" 2>/dev/null
      xdotool key --window "$box" Return 2>/dev/null
      xdotool key Return 2>/dev/null
    done
  fi
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "the game did not end without $missing"
wait "$pid"
code=$?
pid=
grep -qF "$message" "$work/stderr" || fail "standard error lacks '$message'"
[[ $code -eq 1 ]] || fail "exit code $code without $missing, expected 1"
echo "PASS"

#!/usr/bin/env bash
# One data file of the laid-out game, damaged four ways in turn (missing, empty, cut to half its
# length, replaced by 4096 random bytes): each time the game, started from another folder, must end
# within 2 seconds with the file's message on standard error and exit code 1, with no sanitizer
# report, and every data file must be byte for byte as it was before the run.
#   damaged_data_test.sh GAME_DIR GAME_BINARY relative/file "expected message"
# GAME_DIR gives the data; GAME_BINARY is the game to run (the sanitizer build in the tests).
set -uo pipefail
game_dir=${1:?usage: damaged_data_test.sh GAME_DIR GAME_BINARY relative/file expected-message}
binary=${2:?}
file=${3:?}
message=${4:?}
limit_ms=2000
work=$(mktemp -d)
pid=
cleanup() {
  [[ -n $pid ]] && kill -9 "$pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $file $damage: $*" >&2; [[ -s $work/stderr ]] && sed 's/^/  game: /' "$work/stderr" | head -40 >&2; failures=$((failures + 1)); }

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

  start=$(date +%s%N)
  (cd "$work/elsewhere" && exec "$work/game/mossbloom" >"$work/stdout" 2>"$work/stderr") &
  pid=$!
  # The message also shows in a box that waits for OK: answer it once the text is out.
  answered=0
  for _ in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || break
    if [[ $answered -eq 0 ]] && grep -qF "$message" "$work/stderr"; then
      answered=1
      ms=$((($(date +%s%N) - start) / 1000000))
    fi
    if [[ $answered -eq 1 ]]; then
      for box in $(xdotool search --onlyvisible --name "^$" 2>/dev/null); do
        xdotool key --window "$box" Return 2>/dev/null
      done
      xdotool key Return 2>/dev/null
    fi
    sleep 0.05
  done
  if kill -0 "$pid" 2>/dev/null; then
    kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    pid=
    fail "the game did not end"
    continue
  fi
  wait "$pid"
  code=$?
  pid=
  if ! grep -qF "$message" "$work/stderr"; then fail "standard error lacks '$message'"; continue; fi
  [[ $code -eq 1 ]] || fail "exit code $code, expected 1"
  if grep -qE "Sanitizer|runtime error:" "$work/stderr"; then fail "a sanitizer report"; fi
  # The time to the message: the box then waits for the player, which is no part of the game's time.
  [[ $ms -le $limit_ms ]] || fail "the message came after $ms ms (limit $limit_ms ms)"
  [[ "$(data_sums)" == "$before" ]] || fail "a data file changed"
  echo "ok: $file $damage: exit code $code, message after $ms ms"
done
[[ $failures -eq 0 ]] && echo "PASS" || exit 1

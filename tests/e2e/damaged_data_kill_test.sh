#!/usr/bin/env bash
# Kills the game with SIGKILL at 100 random moments of its start-up (0 to 1.2 s after it was
# started, while it opens its window, loads its images and sounds and shows the loading picture)
# and checks after each kill that every one of its 24 data files is byte for byte as before.
#   damaged_data_kill_test.sh GAME_DIR [KILLS]
set -uo pipefail
game_dir=${1:?usage: damaged_data_kill_test.sh GAME_DIR [KILLS]}
kills=${2:-100}
work=$(mktemp -d)
pid=
cleanup() {
  [[ -n $pid ]] && kill -9 "$pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}

cp -r "$game_dir" "$work/game"
mkdir "$work/elsewhere"
data_sums() { (cd "$work/game" && find img sound -type f | sort | xargs sha256sum); }
before=$(data_sums)
[[ $(printf '%s\n' "$before" | wc -l) -eq 24 ]] || { echo "FAIL: the game folder does not hold 24 data files" >&2; exit 1; }

RANDOM=4242   # the same moments every run
ended_early=0
for ((i = 1; i <= kills; i++)); do
  delay_ms=$((RANDOM % 1200))
  (cd "$work/elsewhere" && exec "$work/game/mossbloom" >/dev/null 2>&1) &
  pid=$!
  sleep "$(printf '%d.%03d' $((delay_ms / 1000)) $((delay_ms % 1000)))"
  kill -0 "$pid" 2>/dev/null || ended_early=$((ended_early + 1))
  kill -9 "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  pid=
  if [[ "$(data_sums)" != "$before" ]]; then
    echo "FAIL: a data file changed when the game was killed $delay_ms ms after its start (kill $i)" >&2
    diff <(printf '%s\n' "$before") <(data_sums) >&2
    exit 1
  fi
done
# A game that ended on its own was not killed during its start-up: that would be a failure too.
[[ $ended_early -eq 0 ]] || { echo "FAIL: the game ended by itself $ended_early times during start-up" >&2; exit 1; }
echo "PASS: $kills kills, the data files never changed"

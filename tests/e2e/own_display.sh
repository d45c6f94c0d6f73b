#!/usr/bin/env bash
# Runs a command on an X display of its own (a new Xvfb of 1600 x 1200, no window manager), so
# that the real-window tests can run side by side: their windows, key presses, clicks and
# screenshots never meet. The display ends with the command; its exit code is the command's.
#   own_display.sh COMMAND [ARGUMENT...]
set -uo pipefail
[[ $# -gt 0 ]] || { echo "usage: own_display.sh COMMAND [ARGUMENT...]" >&2; exit 2; }
work=$(mktemp -d)
server=
cleanup() {
  if [[ -n $server ]]; then
    kill "$server" 2>/dev/null
    wait "$server" 2>/dev/null
  fi
  rm -rf "$work"
}
trap cleanup EXIT

# The server picks a free display number and writes it to the pipe once it listens.
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
server=$!
number=
if ! read -r -t 60 number <"$work/display" || [[ -z $number ]]; then
  echo "own_display.sh: the X server did not start" >&2
  cat "$work/xvfb.log" >&2
  exit 1
fi
DISPLAY=:$number "$@"

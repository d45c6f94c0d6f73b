#!/usr/bin/env bash
# Starts the game on the X display from the folder given, waits until the title shows (bright
# paper with dark letters, after the loading picture on black), keeps a screenshot of it and
# ends the game with Escape (exit code 0). For a game started as a player starts it: the built
# one, or the installed launcher.
#   title_check.sh path/to/mossbloom screenshot.png [start-folder]
set -uo pipefail
game=${1:?usage: title_check.sh path/to/mossbloom screenshot.png [start-folder]}
out=${2:?}
work=$(mktemp -d)
shots=$work
trap 'stop_game; rm -rf "$work"' EXIT
source "$(dirname "$0")/game_driver.sh"

start_game "$game" "${3:-$work}"
wait_brightness "v > 0.5" "the title did not follow the loading picture"
wait_for "title letters on the paper" title_letters_shown
cp "$shots/title.png" "$out"
quit_with_escape
echo "PASS: the title shows ($out)"

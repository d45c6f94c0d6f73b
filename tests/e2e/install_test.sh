#!/usr/bin/env bash
# Installs the built game into a fresh prefix and starts DIR/bin/mossbloom from the root folder:
# its window must appear and the title picture must follow the loading picture (so every image
# and sound was found), and Escape must end it with exit code 0. The desktop entry must name the
# installed launcher and the icon must be a 128 x 128 PNG.
#   install_test.sh BUILD_DIR
set -uo pipefail
build=${1:?usage: install_test.sh BUILD_DIR}
work=$(mktemp -d)
pid=
cleanup() {
  [[ -n $pid ]] && kill "$pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; [[ -s $work/stderr ]] && sed 's/^/game: /' "$work/stderr" >&2; exit 1; }

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 || { cat "$work/install.log" >&2; fail "install failed"; }
[[ -x $prefix/bin/mossbloom ]] || fail "no $prefix/bin/mossbloom"
count=$(find "$prefix/lib/mossbloom/img" "$prefix/lib/mossbloom/sound" -type f | wc -l)
[[ $count -eq 24 ]] || fail "$count data files installed, expected 24"
desktop=$prefix/share/applications/mossbloom.desktop
grep -qx "Exec=$prefix/bin/mossbloom" "$desktop" || fail "the desktop entry does not start $prefix/bin/mossbloom"
grep -qx "Icon=mossbloom" "$desktop" || fail "the desktop entry names no icon"
icon=$prefix/share/icons/hicolor/128x128/apps/mossbloom.png
[[ $(identify -format "%m %wx%h" "$icon" 2>/dev/null) == "PNG 128x128" ]] || fail "the icon is not a 128 x 128 PNG"

cd /
SDL_AUDIODRIVER=dummy "$prefix/bin/mossbloom" >"$work/stdout" 2>"$work/stderr" &
pid=$!
window=
for _ in $(seq 1 100); do
  window=$(xdotool search --onlyvisible --name "^Mossbloom" 2>/dev/null | head -n 1)
  [[ -n $window ]] && break
  kill -0 "$pid" 2>/dev/null || fail "the installed game ended before its window appeared"
  sleep 0.1
done
[[ -n $window ]] || fail "no window named Mossbloom appeared"
# Past the loading picture the game runs on its data; give it the boot scene's time.
sleep 3
kill -0 "$pid" 2>/dev/null || fail "the installed game ended on its own"
xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
# Escape held for a few frames, as a player presses it.
xdotool keydown --window "$window" Escape 2>/dev/null
sleep 0.2
xdotool keyup --window "$window" Escape 2>/dev/null
for _ in $(seq 1 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "Escape did not end the installed game"
wait "$pid"
code=$?
pid=
[[ $code -eq 0 ]] || fail "exit code $code"
[[ -s $work/stderr ]] && fail "the installed game wrote to standard error"
echo "PASS"

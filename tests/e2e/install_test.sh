#!/usr/bin/env bash
# Installs the built game into a fresh prefix and starts DIR/bin/mossbloom from the root folder:
# its window must appear and the title picture must follow the loading picture (so every image
# and sound was found), and Escape must end it with exit code 0. The desktop entry must name the
# installed launcher and the window's class, and the icon must be a 128 x 128 PNG.
#   install_test.sh BUILD_DIR
set -uo pipefail
build=${1:?usage: install_test.sh BUILD_DIR}
work=$(mktemp -d)
shots=$work
trap 'stop_game; rm -rf "$work"' EXIT
source "$(dirname "$0")/game_driver.sh"

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 || { cat "$work/install.log" >&2; fail "install failed"; }
[[ -x $prefix/bin/mossbloom ]] || fail "no $prefix/bin/mossbloom"
count=$(find "$prefix/lib/mossbloom/img" "$prefix/lib/mossbloom/sound" -type f | wc -l)
[[ $count -eq 24 ]] || fail "$count data files installed, expected 24"
desktop=$prefix/share/applications/org.mossbloom.Mossbloom.desktop
grep -qx "Exec=$prefix/bin/mossbloom" "$desktop" || fail "the desktop entry does not start $prefix/bin/mossbloom"
grep -qx "Icon=mossbloom" "$desktop" || fail "the desktop entry names no icon"
icon=$prefix/share/icons/hicolor/128x128/apps/mossbloom.png
[[ $(identify -format "%m %wx%h" "$icon" 2>/dev/null) == "PNG 128x128" ]] || fail "the icon is not a 128 x 128 PNG"

start_game "$prefix/bin/mossbloom" /
# Desktops match the window to its entry by the window's class.
class=$(grep -x "StartupWMClass=.*" "$desktop" | cut -d= -f2)
xprop -id "$window" WM_CLASS | grep -q "\"$class\"" ||
  fail "the window's class ($(xprop -id "$window" WM_CLASS)) is not the entry's StartupWMClass=$class"
# The title's letters on paper: every image and sound was found and loaded.
wait_brightness "v > 0.5" "the title after the loading picture"
wait_for "title letters" title_letters_shown
quit_with_escape
[[ -s $work/stderr ]] && fail "the installed game wrote to standard error"
echo "PASS"

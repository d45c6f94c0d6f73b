#!/usr/bin/env bash
# The game on a machine whose sound output cannot open plays muted instead of ending:
#   1. an audio driver that does not exist: the title shows, standard error says in one line
#      that the game plays muted and why, F3 tries again (another line) and Escape ends it with 0;
#   2. SDL's disk driver writing into a folder that is not there yet: the same line, the MUTE
#      note shows; once the folder is made, F3 opens the output, the note goes and the title
#      music reaches the output file.
set -uo pipefail
source "$(dirname "$0")/game_driver.sh"
begin_window_test no_sound_device_test.sh "$@"

lines_saying() { grep -c "$1" "$work/stderr"; }
says() {  # count text
  [[ $(lines_saying "$2") -ge $1 ]]
}

# --- 1. A driver that does not exist ---------------------------------------------------------
audio_driver=no_such_driver
start_game "$game"
wait_brightness "v > 0.5" "the title did not follow the loading picture without a sound output" 300
wait_for "title letters on the paper without a sound output" title_letters_shown
cp "$shots/title.png" "$shots/no_such_driver_title.png"
expected="No sound: the sound output could not be opened (Audio target 'no_such_driver' not available). The game plays muted; F3 tries again."
[[ $(head -n 1 "$work/stderr") == "$expected" ]] || fail "standard error does not explain the silence: $(head -n 1 "$work/stderr")"
key F3
wait_for "a second line after F3 with the output still missing" says 2 "^No sound: "
quit_with_escape
echo "no such driver: PASS"

# --- 2. An output that opens later -----------------------------------------------------------
audio_driver=disk
export SDL_DISKAUDIOFILE=$work/later/output.raw
start_game "$game"
wait_brightness "v > 0.5" "the title did not follow the loading picture with the disk driver" 300
says 1 "^No sound: the sound output could not be opened (Couldn't open $SDL_DISKAUDIOFILE)" ||
  fail "standard error does not explain the silence: $(head -n 1 "$work/stderr")"
[[ ! -e $SDL_DISKAUDIOFILE ]] || fail "the output file was written while the output could not open"

# Paused, the picture stands still but for the overlay, so the note can be seen coming and going.
standing_still() { shot still_1 && sleep 0.3 && shot still_2 && holds "$(changed still_1 still_2 600x380+20+40)" "v < 0.001"; }
key Return
wait_for "the paused title standing still" standing_still
shot muted
mute_note=34x12+51+3
# The note: light blue letters (more blue than red) where it stands.
check "$(blue_share muted $mute_note)" "v > 0.1" "no MUTE note while the output is missing"

mkdir -p "$work/later"
key F3
note_gone() { shot unmuted && holds "$(changed muted unmuted $mute_note)" "v > 0.05" && holds "$(blue_share unmuted $mute_note)" "v < 0.05"; }
wait_for "the MUTE note did not go after F3 with the output now openable" note_gone
cp "$shots/muted.png" "$shots/disk_muted.png"
cp "$shots/unmuted.png" "$shots/disk_unmuted.png"
# The title music reaches the output: the file fills with samples that are not all silence.
music_written() {
  local size
  size=$(stat -c %s "$SDL_DISKAUDIOFILE" 2>/dev/null) || return 1
  ((size > 44100 * 4)) && ! cmp -s -n "$size" "$SDL_DISKAUDIOFILE" /dev/zero
}
wait_for "the title music in the output file after F3" music_written
[[ $(lines_saying "^No sound: ") -eq 1 ]] || fail "more than one line about the missing output"
quit_with_escape
echo "output opened by F3: PASS"
echo "PASS"

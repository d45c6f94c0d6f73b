// Synthesises the game's sound effects and writes its two pieces of music.
#pragma once

#include <string>

// Writes the fourteen WAV effects and the two MIDI pieces into soundDir (which must
// already exist). Returns false, with the reason on stderr, if any file could not be
// written. Two runs produce byte-identical files.
bool writeSounds(const std::string& soundDir);

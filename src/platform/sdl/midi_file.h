#pragma once
// The music library accepts any file at load time and only finds a damaged one when it plays,
// so the game checks a Standard MIDI file's structure itself before it loads it.
#include <cstddef>
#include <cstdint>

namespace platform {

// True when the bytes hold a whole Standard MIDI file: an "MThd" header of at least 6 bytes with
// format 0, 1 or 2, at least one track and a time division, followed by chunks that each fit in
// the file, at least as many "MTrk" chunks among them as the header names.
bool isWholeMidiFile(const uint8_t* bytes, size_t size);

// Reads the file and checks it as above; false when it cannot be read.
bool isWholeMidiFileAt(const char* path);

}  // namespace platform

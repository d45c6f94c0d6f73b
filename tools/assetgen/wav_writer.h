// Writes 16-bit PCM RIFF/WAVE files.
#pragma once

#include <string>
#include <vector>

// Writes interleaved samples (-1 … 1, clamped) as 16-bit PCM. Returns false, with the
// reason on stderr, when the file cannot be written.
bool writeWav(const std::string& path, const std::vector<float>& interleaved, int channels, int sampleRate);

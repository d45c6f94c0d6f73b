// The two pieces of music, composed as MIDI tracks.
#pragma once

#include <string>

// "Mossdrift": title and menus. Calm and airy, about a minute, loops seamlessly.
bool writeMossdrift(const std::string& path);
// "Mossbloom": the play. Light and lively, a little over two minutes, loops seamlessly.
bool writeMossbloom(const std::string& path);

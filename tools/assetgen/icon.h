// The game's icon for the desktop: a bloom of the five elements on a mossy paper tile.
#pragma once

#include <string>

// Draws the 128 x 128 icon and writes it as a PNG file at path (through a temporary file).
// Returns false, with the reason on stderr, on failure. Two runs give the same bytes.
bool writeIcon(const std::string& path);

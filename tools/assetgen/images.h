// Draws every picture sheet the game loads, with cairo, deterministically.
#pragma once

#include <string>

// Writes objects.png, objects_monochro.png, objects2.png, objects2_monochro.png,
// bg_filter.png, logo.png, effect.png and effect2.png into imgDir (which must
// already exist). Returns false, with the reason on stderr, if any file could
// not be drawn or written. Two runs produce byte-identical files.
bool writeImages(const std::string& imgDir);

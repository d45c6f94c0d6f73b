// The art's captions must come out the same on every machine, so the tool draws only with
// the very faces it asks for: fontconfig quietly hands out another family, or an upright
// face slanted by cairo, when a font package is missing.
#pragma once

#include <cairo.h>

#include <string>

// Selects family in the asked weight and slant on cr, as cairo_select_font_face does, and
// ends the tool (message on standard error, exit code 1) when fontconfig resolved another
// family or style.
void selectCheckedFont(cairo_t* cr, const char* family, bool bold, bool italic);

// Checks every face the art draws with before anything is written; false (with the message
// printed) when one of them resolves to another family or style.
bool checkArtFonts();

// What fontconfig gives for the asked face, as "Family Style"; empty when the face matches.
std::string fontMismatch(cairo_t* cr, const char* family, bool bold, bool italic);

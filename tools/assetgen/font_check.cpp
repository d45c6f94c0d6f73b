#include "font_check.h"

#include <cairo-ft.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct AskedFace {
    const char* family;
    bool bold;
    bool italic;
};

// Every face the captions are drawn with.
constexpr AskedFace kArtFaces[] = {
    {"DejaVu Sans", false, false},  {"DejaVu Sans", true, false},  {"DejaVu Sans", false, true},
    {"DejaVu Sans", true, true},    {"DejaVu Serif", false, false}, {"DejaVu Serif", true, false},
    {"DejaVu Serif", false, true},  {"DejaVu Serif", true, true},
};

bool contains(const char* text, const char* word) { return text && std::strstr(text, word); }

const char* describe(bool bold, bool italic) {
    if (bold) return italic ? "bold italic" : "bold upright";
    return italic ? "regular italic" : "regular upright";
}

void selectFace(cairo_t* cr, const char* family, bool bold, bool italic) {
    cairo_select_font_face(cr, family, italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
}

void reportMismatch(const char* family, bool bold, bool italic, const std::string& given) {
    std::fprintf(stderr,
                 "assetgen: asked fontconfig for %s %s and was given %s; the images would differ "
                 "from every other machine's. Install the fonts scripts/deps lists "
                 "(fonts-dejavu-core and fonts-dejavu-extra).\n",
                 family, describe(bold, italic), given.c_str());
}

}  // namespace

std::string fontMismatch(cairo_t* cr, const char* family, bool bold, bool italic) {
    selectFace(cr, family, bold, italic);
    cairo_scaled_font_t* scaled = cairo_get_scaled_font(cr);
    if (cairo_scaled_font_get_type(scaled) != CAIRO_FONT_TYPE_FT) return "a face that is not a font file";
    FT_Face face = cairo_ft_scaled_font_lock_face(scaled);
    if (!face) return "no face at all";
    const char* givenFamily = face->family_name ? face->family_name : "(no family)";
    const char* givenStyle = face->style_name ? face->style_name : "(no style)";
    const bool slanted = contains(givenStyle, "Italic") || contains(givenStyle, "Oblique");
    const bool heavy = contains(givenStyle, "Bold");
    const bool right = std::strcmp(givenFamily, family) == 0 && slanted == italic && heavy == bold;
    std::string given = right ? "" : std::string(givenFamily) + " " + givenStyle;
    cairo_ft_scaled_font_unlock_face(scaled);
    return given;
}

void selectCheckedFont(cairo_t* cr, const char* family, bool bold, bool italic) {
    // fontMismatch leaves the face selected, so nothing more is needed when it matches.
    const std::string given = fontMismatch(cr, family, bold, italic);
    if (given.empty()) return;
    reportMismatch(family, bold, italic, given);
    std::exit(1);
}

bool checkArtFonts() {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
    cairo_t* cr = cairo_create(surface);
    bool ok = true;
    for (const AskedFace& face : kArtFaces) {
        const std::string given = fontMismatch(cr, face.family, face.bold, face.italic);
        if (!given.empty()) {
            reportMismatch(face.family, face.bold, face.italic, given);
            ok = false;
        }
    }
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    return ok;
}

// logo.png, the interface sheet: the title letters, captions, menu buttons,
// the loading picture, HUD digits, gauges, kind icons, the bitmap font and the
// opening, ending and information pictures. Darkened cells are painted as the
// complement of the ink they leave on the paper, on opaque black.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "paint.h"
#include "paint_sheets.h"

namespace {

const Rgb kMossInk = rgb255(35, 95, 60);
const Rgb kDeepInk = rgb255(30, 45, 80);
const Rgb kBloomInk = rgb255(175, 45, 105);
const Rgb kSepiaInk = rgb255(80, 55, 35);

// Fills the current path with ink for a darkening cell: a translucent wash,
// deeper blooms of pigment inside and a firm rim. The path is consumed.
void inkFill(cairo_t* cr, PaintRandom& random, Rgb ink, double strength, double rimWidth,
             double blotSize) {
    cairo_path_t* path = cairo_copy_path(cr);
    double x0, y0, x1, y1;
    cairo_path_extents(cr, &x0, &y0, &x1, &y1);
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    setRgba(cr, inkTexel(ink), strength * 0.8);
    cairo_fill_preserve(cr);
    cairo_clip(cr);
    int blots = static_cast<int>((x1 - x0) * (y1 - y0) / (blotSize * blotSize * 2)) + 2;
    for (int i = 0; i < blots; ++i) {
        double x = nextRange(random, x0, x1), y = nextRange(random, y0, y1);
        wobblyLoop(cr, random, x, y, blotSize, blotSize * 0.8, 0.2, 7);
        setRgba(cr, inkTexel(ink), strength * 0.12);
        cairo_fill(cr);
    }
    // Pigment pools at the bottom of each stroke as the wash runs down.
    setLinear(cr, 0, y0, 0, y1, inkTexel(ink), 0.0, inkTexel(ink), strength * 0.18);
    cairo_paint(cr);
    cairo_restore(cr);
    if (rimWidth > 0) {
        cairo_save(cr);
        cairo_new_path(cr);
        cairo_append_path(cr, path);
        cairo_set_line_width(cr, rimWidth);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        setRgba(cr, inkTexel(mixRgb(ink, rgb255(0, 0, 0), 0.45)), std::min(1.0, strength + 0.1));
        cairo_stroke(cr);
        cairo_restore(cr);
    }
    cairo_path_destroy(path);
    cairo_new_path(cr);
}

// Text for a darkening cell, centred in the box.
void inkText(cairo_t* cr, PaintRandom& random, const char* text, const char* family, bool bold,
             bool italic, double cx, double cy, double maxW, double maxH, Rgb ink, double strength,
             double rimWidth) {
    double size = centredTextPath(cr, text, family, bold, italic, cx, cy, maxW, maxH);
    inkFill(cr, random, ink, strength, rimWidth, std::max(3.0, size * 0.25));
}

// Text as light (additive or tinted cells): a soft halo and a bright body.
void lightText(cairo_t* cr, const char* text, const char* family, bool bold, bool italic, double cx,
               double cy, double maxW, double maxH, Rgb colour, double alpha, double halo) {
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    centredTextPath(cr, text, family, bold, italic, cx, cy, maxW, maxH);
    if (halo > 0) {
        cairo_set_line_width(cr, halo);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        setRgba(cr, colour, alpha * 0.25);
        cairo_stroke_preserve(cr);
    }
    setRgba(cr, colour, alpha);
    cairo_fill(cr);
    cairo_restore(cr);
}

void leafSprig(cairo_t* cr, double x, double y, double size, double turn, Rgb ink, double strength) {
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, turn);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, size * 0.08);
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, size * 0.1, -size * 0.4, size * 0.3, -size * 0.7, size * 0.2, -size);
    setRgba(cr, inkTexel(ink), strength);
    cairo_stroke(cr);
    for (int side = -1; side <= 1; side += 2) {
        cairo_save(cr);
        cairo_translate(cr, size * 0.12, -size * 0.5);
        cairo_rotate(cr, side * 0.9);
        cairo_move_to(cr, 0, 0);
        cairo_curve_to(cr, size * 0.15, -size * 0.1, size * 0.15, -size * 0.35, 0, -size * 0.45);
        cairo_curve_to(cr, -size * 0.15, -size * 0.35, -size * 0.15, -size * 0.1, 0, 0);
        cairo_restore(cr);
        setRgba(cr, inkTexel(ink), strength * 0.7);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

// The title's letters, one to a cell of the sheet. A letter that comes twice or three times is
// drawn the same width each time, as wide as its narrowest cell allows, so the three O's match;
// all are condensed alike, and each stands at the place in its cell that evens out the gaps.
struct TitleLetter {
    const char* letter;
    double width;   // of the letter's ink, condensed as lettering by hand is
    double centre;  // x on the sheet
};
constexpr TitleLetter kTitleLetters[9] = {
    {"M", 56, 32.5},  {"O", 25, 85.5},  {"S", 36, 125},     {"S", 36, 180.8},  {"B", 48, 242.6},
    {"L", 42, 307.4}, {"O", 25, 360.7}, {"O", 25, 405.5},   {"M", 56, 460.4},
};

void paintTitle(Sheet& sheet) {
    cairo_t* cr = sheet.cr;
    PaintRandom random = makePaintRandom(5001);
    const int edges[10] = {0, 72, 99, 144, 204, 274, 337, 392, 423, 500};
    for (int i = 0; i < 9; ++i) {
        int x = edges[i], w = edges[i + 1] - x;
        const TitleLetter& letter = kTitleLetters[i];
        // Moss greens for the first word, bloom pinks for the second.
        Rgb ink = i < 4 ? mixRgb(kMossInk, rgb255(40, 120, 110), i / 4.0)
                        : mixRgb(kBloomInk, rgb255(200, 90, 60), (i - 4) / 5.0);
        beginCell(cr, x, 0, w, 150);
        double bounce = (i % 2 == 0 ? -6 : 5) + nextRange(random, -3, 3);
        cairo_save(cr);
        cairo_translate(cr, letter.centre - (x + w / 2.0), bounce);
        // Every letter stands as tall as the others.
        cairo_select_font_face(cr, "DejaVu Serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
        cairo_set_font_size(cr, 100);
        cairo_text_extents_t extents;
        cairo_text_extents(cr, letter.letter, &extents);
        const double grow = 92 / extents.height;
        const double condense = letter.width / (extents.width * grow);
        cairo_scale(cr, condense * grow, grow);
        centredTextPath(cr, letter.letter, "DejaVu Serif", true, false, 0, 0, 1000, extents.height);
        cairo_restore(cr);
        // Wet bleed around the letter, and for a strongly condensed letter a firmer edge, so
        // that its upright strokes are as heavy as those of the others.
        cairo_save(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_set_line_width(cr, 7);
        setRgba(cr, inkTexel(ink), 0.1);
        cairo_stroke_preserve(cr);
        const double heavier = std::max(0.0, (0.75 - condense) * 7);
        if (heavier > 0) {
            cairo_set_line_width(cr, heavier);
            setRgba(cr, inkTexel(ink), 0.8);
            cairo_stroke_preserve(cr);
        }
        cairo_restore(cr);
        inkFill(cr, random, ink, 0.88, 2.2, 9);
        // A sprig on the first and the last letter of MOSS, a flower on the L.
        const double shift = letter.centre - (x + w / 2.0);
        if (i == 0 || i == 3) leafSprig(cr, shift + letter.width * 0.17, -40 + bounce, 26, 0.4, kMossInk, 0.8);
        if (i == 5) {
            cairo_save(cr);
            cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
            for (int p = 0; p < 5; ++p) {
                double a = p * 2 * std::numbers::pi / 5;
                cairo_arc(cr, shift + 14 + 7 * std::cos(a), -36 + bounce + 7 * std::sin(a), 5.5, 0,
                          2 * std::numbers::pi);
                setRgba(cr, inkTexel(kBloomInk), 0.45);
                cairo_fill(cr);
            }
            cairo_arc(cr, shift + 14, -36 + bounce, 3.5, 0, 2 * std::numbers::pi);
            setRgba(cr, inkTexel(rgb255(200, 150, 30)), 0.9);
            cairo_fill(cr);
            cairo_restore(cr);
        }
        endCell(cr);
    }
    addGrain(sheet, random, 0, 0, 500, 150, 0.12);
}

void paintCaptions(Sheet& sheet) {
    cairo_t* cr = sheet.cr;
    PaintRandom random = makePaintRandom(5002);
    inkText(cr, random, "an ecosystem in ink and water", "DejaVu Serif", false, true, 130, 165, 248,
            20, kSepiaInk, 0.85, 0.5);
    // First caption, flashed large over the title: the five elements.
    beginCell(cr, 0, 260, 370, 80);
    inkText(cr, random, "aqua \xC2\xB7 leaf \xC2\xB7 flare \xC2\xB7 soil \xC2\xB7 metal", "DejaVu Serif",
            false, true, 0, -4, 350, 34, kDeepInk, 0.9, 0.8);
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    brushStroke(cr, -150, 24, 150, 22, 3, 4, inkTexel(kMossInk), 0.6);
    cairo_restore(cr);
    endCell(cr);
    // Second caption. Its cell reaches into the bitmap font from x 350, and the game draws only
    // the part left of it; the words stand round x 185, the middle of the whole cell, so that they
    // sit in the middle of the screen.
    beginCell(cr, 20, 180, 330, 80);
    inkText(cr, random, "one drop, and the", "DejaVu Serif", false, true, 0, -18, 300, 30, kDeepInk,
            0.9, 0.8);
    inkText(cr, random, "moss begins to bloom", "DejaVu Serif", true, true, 0, 18, 316, 32,
            kBloomInk, 0.9, 1.0);
    endCell(cr);
    inkText(cr, random, "\xE2\x80\x94 CLICK \xE2\x80\x94", "DejaVu Sans", true, false, 65, 402.5, 120,
            17, rgb255(20, 20, 20), 1.0, 0);
}

void paintLoading(Sheet& sheet) {
    // Drawn additively on a black screen: pale, softly glowing words.
    cairo_t* cr = sheet.cr;
    const Rgb glow = rgb255(200, 255, 215);
    lightText(cr, "NOW", "DejaVu Sans", true, false, 61.5, 365, 100, 26, glow, 0.9, 5);
    lightText(cr, "LOADING", "DejaVu Sans", true, false, 233, 365, 140, 26, glow, 0.9, 5);
    // The spinner: a ring of dots fading round, so its turning shows.
    beginCell(cr, 123, 340, 33, 50);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    for (int i = 0; i < 10; ++i) {
        double a = i * 2 * std::numbers::pi / 10;
        double brightness = 0.15 + 0.85 * i / 9.0;
        softGlow(cr, 11 * std::cos(a), 11 * std::sin(a), 4.5, glow, brightness);
    }
    endCell(cr);
}

// Lettering for a darkening or light cell: capitals `capHeight` tall centred on (cx, cy), condensed
// (down to 70 %) when the word is wider than maxW, as a letterer narrows a word to fit, and only
// then made smaller. Leaves the outline as the current path.
void letteringPath(cairo_t* cr, const char* text, double cx, double cy, double capHeight, double maxW) {
    cairo_select_font_face(cr, "DejaVu Serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, 100);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text, &extents);
    double size = 100 * capHeight / std::max(extents.height, 1.0);
    double width = extents.width * size / 100;
    double condense = std::clamp(maxW / width, 0.7, 1.0);
    if (width * condense > maxW) size *= maxW / (width * condense);
    cairo_set_font_size(cr, size);
    cairo_text_extents(cr, text, &extents);
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, condense, 1.0);
    cairo_new_path(cr);
    cairo_move_to(cr, -extents.x_bearing - extents.width / 2, -extents.y_bearing - extents.height / 2);
    cairo_text_path(cr, text);
    cairo_restore(cr);
}

struct ButtonArt {
    int y, width;
    const char* lines[2];  // one line, or two for a label too long for its cell
};

constexpr double kButtonCapHeight = 24;

// The label of a button as the current path, centred in its cell.
void buttonLabelPath(cairo_t* cr, const ButtonArt& b) {
    const double maxW = b.width - 26;
    if (!b.lines[1]) {
        letteringPath(cr, b.lines[0], 0, 0, kButtonCapHeight, maxW);
        return;
    }
    // Two lines, each nearly as tall as a one-line label.
    letteringPath(cr, b.lines[0], 0, -11.5, kButtonCapHeight * 0.72, maxW);
    cairo_path_t* first = cairo_copy_path(cr);
    letteringPath(cr, b.lines[1], 0, 11.5, kButtonCapHeight * 0.72, maxW);
    cairo_append_path(cr, first);
    cairo_path_destroy(first);
}

// A patch of wash behind a label, added at `strength` on the opaque black of a cell and softened:
// a rounded, slightly uneven oblong that fades out before the cell's border. The same seed gives
// the same outline, so that an ink layer and its light layer match.
void washPatch(Sheet& sheet, uint32_t seed, int cellX, int cellY, int cellW, int cellH, Rgb colour, double strength) {
    cairo_t* cr = sheet.cr;
    PaintRandom random = makePaintRandom(seed);
    beginCell(cr, cellX, cellY, cellW, cellH);
    const double a = cellW * 0.5 - 11, b = cellH * 0.5 - 8;
    constexpr int kPoints = 24;
    double xs[kPoints], ys[kPoints];
    for (int i = 0; i < kPoints; ++i) {
        // A superellipse: nearly straight along the word, round at its ends.
        const double angle = 2 * std::numbers::pi * i / kPoints;
        const double c = std::cos(angle), s = std::sin(angle);
        const double k = 1.0 + nextRange(random, -0.03, 0.03);
        xs[i] = a * k * (c < 0 ? -1 : 1) * std::pow(std::fabs(c), 0.5);
        ys[i] = b * k * (s < 0 ? -1 : 1) * std::pow(std::fabs(s), 0.5);
    }
    smoothLoop(cr, xs, ys, kPoints);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    setRgba(cr, colour, strength);
    cairo_fill(cr);
    endCell(cr);
    blurArea(sheet, cellX, cellY, cellW, cellH, 3);
}

void paintButtons(Sheet& sheet) {
    cairo_t* cr = sheet.cr;
    PaintRandom random = makePaintRandom(5003);
    const ButtonArt buttons[7] = {{430, 240, {"NORMAL", nullptr}},  {480, 240, {"CLOVER", nullptr}},
                                   {530, 125, {"HOW TO", "PLAY"}},   {580, 155, {"EXIT", nullptr}},
                                   {630, 155, {"ENDLESS", nullptr}}, {680, 170, {"ABOUT", nullptr}},
                                   {730, 84, {"BACK", nullptr}}};
    // The two layers meet behind the word: the ink layer dims whatever lies there by 60 % and the
    // light layer gives back as much, so the paper stays white, the drifting pictures behind fade
    // to pale and the word always reads. Hovered, the game tints the light red (255, 105, 105):
    // only its red comes back in full, and the paper behind the word turns pink.
    constexpr double kWash = 0.6;
    for (const ButtonArt& b : buttons) {
        // Ink layer: the wash, a stroke of green swept under the word, then the word in ink.
        washPatch(sheet, 5100 + b.y, 0, b.y, b.width, 50, rgb255(255, 255, 255), kWash);
        beginCell(cr, 0, b.y, b.width, 50);
        cairo_save(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
        brushStroke(cr, -b.width * 0.44, 9, b.width * 0.44, 5, -3, 20, inkTexel(rgb255(150, 200, 165)), 0.4);
        cairo_restore(cr);
        buttonLabelPath(cr, b);
        inkFill(cr, random, kDeepInk, 0.97, 0.9, 5);
        endCell(cr);
        // Light layer: the same wash as light, none on the letters themselves.
        washPatch(sheet, 5100 + b.y, 250, b.y, b.width, 50, rgb255(255, 255, 255), kWash);
        beginCell(cr, 250, b.y, b.width, 50);
        buttonLabelPath(cr, b);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_set_source_rgba(cr, 0, 0, 0, 1);
        cairo_set_line_width(cr, 1.5);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_fill_preserve(cr);
        cairo_stroke(cr);
        endCell(cr);
    }
}

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -std::numbers::pi / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, std::numbers::pi / 2);
    cairo_arc(cr, x + r, y + h - r, r, std::numbers::pi / 2, std::numbers::pi);
    cairo_arc(cr, x + r, y + r, r, std::numbers::pi, 1.5 * std::numbers::pi);
    cairo_close_path(cr);
}

// The water gauge is drawn from its strip's left end at (225, 450), where the HUD's "AQUA" label
// ends at x 230; the gauge's picture starts 8 pixels into the strip so that the label stays clear.
constexpr double kGaugeInset = 8;

void paintGauges(Sheet& sheet) {
    cairo_t* cr = sheet.cr;
    const double left = 130 + kGaugeInset + 0.5, width = 170 - kGaugeInset - 2;
    // Frame (darkening, and lit additively over the filled part).
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    roundedRect(cr, left, 405.5, width, 19, 9);
    setRgba(cr, rgb255(255, 255, 255), 0.12);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 2.2);
    setRgba(cr, rgb255(235, 240, 255), 0.9);
    cairo_stroke(cr);
    for (int i = 1; i < 10; ++i) {
        double x = std::floor(left + width * i / 10) + 0.5;
        cairo_move_to(cr, x, 406.5);
        cairo_line_to(cr, x, i % 5 == 0 ? 413 : 410);
    }
    cairo_set_line_width(cr, 1.0);
    setRgba(cr, rgb255(255, 255, 255), 0.6);
    cairo_stroke(cr);
    cairo_restore(cr);
    // Fill (added as blue light): water with a bright surface line.
    cairo_save(cr);
    cairo_rectangle(cr, 300, 400, 170, 30);
    cairo_clip(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    roundedRect(cr, left + 170, 406.5, width, 17, 8);
    setLinear(cr, 0, 406, 0, 424, rgb255(255, 255, 255), 0.95, rgb255(255, 255, 255), 0.45);
    cairo_fill(cr);
    PaintRandom random = makePaintRandom(5004);
    for (int i = 0; i < 12; ++i) {
        double x = nextRange(random, left + 176, 464), y = nextRange(random, 414, 421);
        cairo_arc(cr, x, y, nextRange(random, 0.8, 1.8), 0, 2 * std::numbers::pi);
        setRgba(cr, rgb255(255, 255, 255), 0.5);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

void paintDigitsAndCombo(Sheet& sheet) {
    cairo_t* cr = sheet.cr;
    PaintRandom random = makePaintRandom(5005);
    // Large digits (darkening, dimmed by the combo's brightness), minus as cell 10.
    for (int d = 0; d <= 10; ++d) {
        char text[4] = {static_cast<char>('0' + d), 0, 0, 0};
        if (d == 10) {
            text[0] = '\xE2';
            text[1] = '\x88';
            text[2] = '\x92';  // minus sign
        }
        beginCell(cr, 500 + 30 * d, 0, 30, 40);
        inkText(cr, random, text, "DejaVu Serif", true, true, 0, 1, 26, d == 10 ? 5 : 32, kDeepInk,
                0.95, 0.8);
        endCell(cr);
    }
    beginCell(cr, 830, 0, 150, 40);
    inkText(cr, random, "COMBO", "DejaVu Serif", true, true, 0, 1, 140, 28, kBloomInk, 0.95, 1.0);
    endCell(cr);
    beginCell(cr, 775, 40, 35, 24);
    inkText(cr, random, "pts", "DejaVu Serif", true, true, 0, 0, 31, 16, kDeepInk, 0.95, 0.5);
    endCell(cr);
    // Small digits and the clock separator: painted white, drawn once as
    // ink and once as light.
    for (int d = 0; d <= 10; ++d) {
        const char* text = d < 10 ? nullptr : ":";
        char digit[2] = {static_cast<char>('0' + d), 0};
        beginCell(cr, 500 + 15 * d, 105, 15, 20);
        lightText(cr, text ? text : digit, "DejaVu Sans", true, false, 0, 0, 13, d < 10 ? 15 : 11,
                  rgb255(255, 255, 255), 1.0, 0);
        endCell(cr);
    }
    // Combo banner, added as light under the combo figures.
    beginCell(cr, 500, 125, 300, 50);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    cairo_save(cr);
    cairo_scale(cr, 1.0, 0.16);
    softGlow(cr, 0, 0, 148, rgb255(255, 230, 160), 0.8);
    cairo_restore(cr);
    brushStroke(cr, -140, 4, 140, -2, -4, 14, rgb255(255, 220, 140), 0.35);
    for (int i = 0; i < 14; ++i) {
        double x = nextRange(random, -135, 135), y = nextRange(random, -18, 18);
        softGlow(cr, x, y, nextRange(random, 2, 5), rgb255(255, 250, 220), 0.9);
    }
    endCell(cr);
    // Version label, tinted when drawn.
    beginCell(cr, 800, 125, 90, 20);
    lightText(cr, "version 1.0", "DejaVu Serif", false, true, 0, 0, 84, 13, rgb255(255, 255, 255), 0.9,
              0);
    endCell(cr);
}

// The outline of kind icon `kind` around the origin, within a radius of about 5.4 pixels.
void kindIconPath(cairo_t* cr, int kind) {
    cairo_new_path(cr);
    switch (kind) {
    case 0:  // water drop: one point, round below
        cairo_move_to(cr, 0, -5.3);
        cairo_curve_to(cr, 1.8, -2.4, 3.8, -0.6, 3.8, 1.5);
        cairo_arc(cr, 0, 1.5, 3.8, 0, std::numbers::pi);
        cairo_curve_to(cr, -3.8, -0.6, -1.8, -2.4, 0, -5.3);
        cairo_close_path(cr);
        break;
    case 1:  // leaf
        cairo_move_to(cr, -4.3, 4.3);
        cairo_curve_to(cr, -4.8, -1.8, -1, -4.8, 4.8, -4.8);
        cairo_curve_to(cr, 4.8, 1, 1.9, 4.8, -4.3, 4.3);
        cairo_close_path(cr);
        break;
    case 2:  // flame: a tall tongue leaning left and a small one beside it, flat-bottomed
        cairo_move_to(cr, 0, 5.2);
        cairo_curve_to(cr, -3.9, 5.2, -4.9, 1.4, -3.1, -1.3);
        cairo_curve_to(cr, -2.3, -2.7, -1.6, -3.9, -0.7, -5.7);
        cairo_curve_to(cr, 0.5, -3.8, 1.3, -2.8, 1.5, -1.5);
        cairo_curve_to(cr, 2.1, -2.3, 2.8, -3.0, 3.5, -3.7);
        cairo_curve_to(cr, 5.0, -1.2, 4.5, 5.2, 0, 5.2);
        cairo_close_path(cr);
        break;
    case 3:  // clod
        cairo_move_to(cr, -4.8, 1);
        cairo_curve_to(cr, -4.8, -2.8, -1.9, -4.3, 1, -3.8);
        cairo_curve_to(cr, 3.8, -3.8, 5.2, -1, 4.8, 1.9);
        cairo_curve_to(cr, 4.3, 4.8, -3.8, 5.2, -4.8, 1);
        cairo_close_path(cr);
        break;
    case 4:  // nut, with its bore
        for (int i = 0; i < 6; ++i) {
            double a = std::numbers::pi / 6 + i * std::numbers::pi / 3;
            if (i == 0) cairo_move_to(cr, 5.1 * std::cos(a), 5.1 * std::sin(a));
            else cairo_line_to(cr, 5.1 * std::cos(a), 5.1 * std::sin(a));
        }
        cairo_close_path(cr);
        cairo_new_sub_path(cr);
        cairo_arc_negative(cr, 0, 0, 1.9, 2 * std::numbers::pi, 0);
        cairo_close_path(cr);
        break;
    case 5:  // cell, with its nucleus
        cairo_arc(cr, 0, 0, 4.8, 0, 2 * std::numbers::pi);
        cairo_close_path(cr);
        cairo_new_sub_path(cr);
        cairo_arc_negative(cr, 0.8, -0.5, 1.9, 2 * std::numbers::pi, 0);
        cairo_close_path(cr);
        break;
    default:  // star
        for (int i = 0; i < 10; ++i) {
            double a = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
            double r = i % 2 == 0 ? 5.6 : 2.4;
            if (i == 0) cairo_move_to(cr, r * std::cos(a), r * std::sin(a) + 0.5);
            else cairo_line_to(cr, r * std::cos(a), r * std::sin(a) + 0.5);
        }
        cairo_close_path(cr);
        break;
    }
}

// The soil icon is tinted (230, 150, 150) by the HUD; these texels come out as the brown of the
// clods on the field (dark, mid, light).
const Rgb kSoilIconShade = rgb255(95, 85, 40);
const Rgb kSoilIconBody = rgb255(150, 135, 62);
const Rgb kSoilIconLight = rgb255(215, 250, 150);

void paintKindIcons(Sheet& sheet) {
    // Alpha images, tinted with each kind's colour: white shapes (the soil's painted so that it
    // comes out brown) with a dark rim, so that every icon reads on the dark strip and on the
    // light band that marks a kind alike.
    cairo_t* cr = sheet.cr;
    clearToTransparent(cr, 260, 165, 84, 12);
    const Rgb white = rgb255(255, 255, 255);
    const Rgb rim = rgb255(22, 20, 28);
    for (int kind = 0; kind < 7; ++kind) {
        beginCell(cr, 260 + 12 * kind, 165, 12, 12);
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
        kindIconPath(cr, kind);
        if (kind == 3) {
            setRadial3(cr, -1.8, -2, 0, 0, 5.5, kSoilIconLight, 1.0, kSoilIconBody, 1.0, kSoilIconShade, 1.0);
        } else {
            setRgba(cr, white, 1.0);
        }
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 1.15);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        setRgba(cr, rim, 0.92);
        cairo_stroke(cr);
        if (kind == 3) {
            // A few crumbs.
            const double crumbs[3][2] = {{1.6, 1.2}, {-1.4, 2.2}, {2.6, -1.4}};
            for (const auto& c : crumbs) {
                cairo_arc(cr, c[0], c[1], 0.7, 0, 2 * std::numbers::pi);
                setRgba(cr, kSoilIconShade, 1.0);
                cairo_fill(cr);
            }
        }
        if (kind == 2) {
            // The inner tongue of the flame, drawn in ink.
            cairo_move_to(cr, -0.2, 3.9);
            cairo_curve_to(cr, -2.0, 3.6, -2.0, 1.2, -0.8, -0.9);
            cairo_curve_to(cr, -0.1, 0.5, 1.6, 1.6, 1.2, 3.0);
            cairo_curve_to(cr, 1.0, 3.7, 0.4, 3.9, -0.2, 3.9);
            cairo_set_line_width(cr, 0.8);
            setRgba(cr, rim, 0.55);
            cairo_stroke(cr);
        }
        endCell(cr);
    }
}

void paintOpeningAndEnding(Sheet& sheet) {
    cairo_t* cr = sheet.cr;
    PaintRandom random = makePaintRandom(5006);
    // "START" (370, 245) 420 x 64, glowing in over the field.
    beginCell(cr, 370, 245, 420, 64);
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    brushStroke(cr, -190, 10, 190, 6, -4, 40, inkTexel(rgb255(150, 200, 170)), 0.35);
    cairo_restore(cr);
    inkText(cr, random, "START", "DejaVu Serif", true, false, 0, 0, 240, 48, kMossInk, 0.95, 1.5);
    leafSprig(cr, -140, 20, 30, -0.5, kMossInk, 0.85);
    leafSprig(cr, 140, 20, 30, 0.5, kMossInk, 0.85);
    endCell(cr);
    // The second opening picture (470, 380) 300 x 50.
    beginCell(cr, 470, 380, 300, 50);
    inkText(cr, random, "let the garden grow", "DejaVu Serif", false, true, 0, 0, 280, 30, kDeepInk,
            0.9, 0.8);
    endCell(cr);
    // "TIME UP" (370, 180) 420 x 64. Its left end holds part of the bitmap font, so the game
    // draws only the part from x 454 on; the words stand round x 580, the middle of the whole
    // cell, so that they sit in the middle of the screen.
    beginCell(cr, 458, 180, 244, 64);
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    brushStroke(cr, -120, 12, 120, 8, -4, 40, inkTexel(rgb255(220, 170, 150)), 0.35);
    cairo_restore(cr);
    inkText(cr, random, "TIME UP", "DejaVu Serif", true, false, 0, 0, 236, 44, kBloomInk, 0.95, 1.5);
    endCell(cr);
    // "THANK YOU FOR PLAYING" (370, 310) 470 x 64.
    beginCell(cr, 370, 310, 470, 64);
    inkText(cr, random, "THANK YOU FOR PLAYING", "DejaVu Serif", true, false, 0, -4, 440, 34, kDeepInk,
            0.95, 1.0);
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    brushStroke(cr, -200, 22, 200, 20, 3, 5, inkTexel(kBloomInk), 0.6);
    cairo_restore(cr);
    endCell(cr);
}

// One line of the information page as the current path, from (x, baseline): plain text, with
// the parts between asterisks in bold. Returns the width it took.
double pageLinePath(cairo_t* cr, const char* line, double x, double baseline, double size) {
    char part[128];
    bool bold = false;
    cairo_new_path(cr);
    cairo_move_to(cr, x, baseline);
    for (const char* p = line; *p;) {
        size_t n = 0;
        while (p[n] && p[n] != '*' && n + 1 < sizeof part) ++n;
        std::memcpy(part, p, n);
        part[n] = '\0';
        cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                               bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(cr, size);
        cairo_text_path(cr, part);
        p += n;
        if (*p == '*') {
            bold = !bold;
            ++p;
        }
    }
    double endX, endY;
    cairo_get_current_point(cr, &endX, &endY);
    return endX - x;
}

void paintInformation(Sheet& sheet) {
    // The page (500, 430) 500 x 100 is drawn darkened at 78 % over paper, centred at (320, 210);
    // the credit (500, 530) 170 x 34, centred at (440, 260), lies over the page's lower right from
    // x 285 and row 83 of the page, so the last line is short and the lines are set from the left.
    cairo_t* cr = sheet.cr;
    PaintRandom random = makePaintRandom(5007);
    const Rgb text = rgb255(25, 30, 45);
    const double left = 510, size = 11;
    struct PageLine {
        const char* words;
        double baseline;
        double maxWidth;
    };
    const PageLine lines[6] = {
        {"*Left button* held: spray water.  Hover to cut drops and catch dreams.  *Drag* flowers.", 458, 480},
        {"*Right button* held on an object charges it: full, it bursts into the next element.", 471, 480},
        {"Fire takes no charge, and water only as a big drop.  *Short clicks* make waves.", 484, 480},
        {"*NORMAL* three minutes.  *CLOVER* catch clovers for time.  *ENDLESS* no clock.", 497, 480},
        {"*Z* / *A* zoom out / in    *X* hide the counters    *C* what you made so far", 510, 480},
        {"*Space* mutate (costs time)    *Enter* pause", 524, 272},
    };
    cairo_save(cr);
    cairo_rectangle(cr, 500, 430, 500, 100);
    cairo_clip(cr);
    // The goal, in the title's bloom ink, with room below it.
    const double goalSize = 13;
    cairo_select_font_face(cr, "DejaVu Serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, goalSize);
    cairo_new_path(cr);
    cairo_move_to(cr, left, 443);
    cairo_text_path(cr, "Grow the garden: every new thing scores, dreams the most.");
    inkFill(cr, random, kBloomInk, 1.0, 0.4, 3);
    for (const PageLine& line : lines) {
        // Small text stays solid: blots would blur it. A line too long for its room is set smaller.
        double width = pageLinePath(cr, line.words, left, line.baseline, size);
        if (width > line.maxWidth) pageLinePath(cr, line.words, left, line.baseline, size * line.maxWidth / width);
        cairo_save(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
        setRgba(cr, inkTexel(text), 1.0);
        cairo_fill(cr);
        cairo_restore(cr);
    }
    cairo_restore(cr);
    beginCell(cr, 500, 530, 170, 34);
    inkText(cr, random, "MOSSBLOOM", "DejaVu Serif", true, false, 0, -7, 120, 13, kMossInk, 1.0, 0.4);
    centredTextPath(cr, "pictures and music drawn by code", "DejaVu Sans", false, true, 0, 9, 164, 10);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    setRgba(cr, inkTexel(kSepiaInk), 1.0);
    cairo_fill(cr);
    endCell(cr);
}

}  // namespace

bool writeLogoSheet(const std::string& imgDir) {
    Sheet sheet = createSheet(1024, 800);
    fillOpaqueBlack(sheet.cr, 0, 0, 1024, 800);
    paintTitle(sheet);
    paintCaptions(sheet);
    paintLoading(sheet);
    paintButtons(sheet);
    paintGauges(sheet);
    paintDigitsAndCombo(sheet);
    paintOpeningAndEnding(sheet);
    paintInformation(sheet);
    // The alpha cells last: they need true transparency around their shapes.
    clearToTransparent(sheet.cr, 260, 150, 80, 12);
    paintTextDigits(sheet);
    paintKindIcons(sheet);
    paintBitmapFont(sheet);
    bool ok = saveSheet(sheet, imgDir, "logo.png");
    destroySheet(sheet);
    return ok;
}

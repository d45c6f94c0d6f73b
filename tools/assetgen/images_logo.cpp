// logo.png, the interface sheet: the title letters, captions, menu buttons,
// the loading picture, HUD digits, gauges, kind icons, the bitmap font and the
// opening, ending and information pictures. Darkened cells are painted as the
// complement of the ink they leave on the paper, on opaque black.
#include <algorithm>
#include <cmath>

#include "paint.h"
#include "paint_sheets.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

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

void paintTitle(Sheet& sheet) {
    cairo_t* cr = sheet.cr;
    PaintRandom random = makePaintRandom(5001);
    const int edges[10] = {0, 72, 99, 144, 204, 274, 337, 392, 423, 500};
    const char* letters[9] = {"M", "O", "S", "S", "B", "L", "O", "O", "M"};
    for (int i = 0; i < 9; ++i) {
        int x = edges[i], w = edges[i + 1] - x;
        // Moss greens for the first word, bloom pinks for the second.
        Rgb ink = i < 4 ? mixRgb(kMossInk, rgb255(40, 120, 110), i / 4.0)
                        : mixRgb(kBloomInk, rgb255(200, 90, 60), (i - 4) / 5.0);
        beginCell(cr, x, 0, w, 150);
        double bounce = (i % 2 == 0 ? -6 : 5) + nextRange(random, -3, 3);
        cairo_save(cr);
        cairo_translate(cr, 0, bounce);
        // Every letter stands as tall as the others; narrow cells condense it,
        // as hand lettering does.
        cairo_select_font_face(cr, "DejaVu Serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
        cairo_set_font_size(cr, 100);
        cairo_text_extents_t extents;
        cairo_text_extents(cr, letters[i], &extents);
        double grow = 92 / extents.height;
        cairo_scale(cr, std::min(grow, w * 0.9 / extents.width), grow);
        centredTextPath(cr, letters[i], "DejaVu Serif", true, false, 0, 0, 1000, extents.height);
        cairo_restore(cr);
        // Wet bleed around the letter.
        cairo_save(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
        cairo_set_line_width(cr, 7);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        setRgba(cr, inkTexel(ink), 0.1);
        cairo_stroke_preserve(cr);
        cairo_restore(cr);
        inkFill(cr, random, ink, 0.88, 2.2, 9);
        // A sprig on every other letter, a bud on the bloom letters.
        if (i == 0 || i == 3) leafSprig(cr, w * 0.15, -40 + bounce, 26, 0.4, kMossInk, 0.8);
        if (i == 5) {
            cairo_save(cr);
            cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
            for (int p = 0; p < 5; ++p) {
                double a = p * 2 * kPi / 5;
                cairo_arc(cr, 14 + 7 * std::cos(a), -36 + bounce + 7 * std::sin(a), 5.5, 0, 2 * kPi);
                setRgba(cr, inkTexel(kBloomInk), 0.45);
                cairo_fill(cr);
            }
            cairo_arc(cr, 14, -36 + bounce, 3.5, 0, 2 * kPi);
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
    // Second caption; its right margin holds a corner of the font.
    beginCell(cr, 0, 180, 345, 80);
    inkText(cr, random, "one drop, and the", "DejaVu Serif", false, true, 0, -18, 300, 30, kDeepInk,
            0.9, 0.8);
    inkText(cr, random, "moss begins to bloom", "DejaVu Serif", true, true, 0, 18, 320, 32,
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
        double a = i * 2 * kPi / 10;
        double brightness = 0.15 + 0.85 * i / 9.0;
        softGlow(cr, 11 * std::cos(a), 11 * std::sin(a), 4.5, glow, brightness);
    }
    endCell(cr);
}

struct ButtonSpec {
    int y, width;
    const char* label;
};

void paintButtons(Sheet& sheet) {
    cairo_t* cr = sheet.cr;
    PaintRandom random = makePaintRandom(5003);
    const ButtonSpec buttons[7] = {{430, 240, "NORMAL"}, {480, 240, "CLOVER"},
                                   {530, 125, "HOW TO PLAY"}, {580, 155, "EXIT"},
                                   {630, 155, "ENDLESS"},     {680, 170, "ABOUT"},
                                   {730, 84, "BACK"}};
    for (const ButtonSpec& b : buttons) {
        double textH = b.width < 130 ? 16 : 26;
        // Ink layer: a pale wash swept behind the word, the word in ink.
        beginCell(cr, 0, b.y, b.width, 50);
        cairo_save(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
        brushStroke(cr, -b.width * 0.47, 6, b.width * 0.47, 2, -3, 30, inkTexel(rgb255(120, 170, 140)),
                    0.3);
        cairo_restore(cr);
        inkText(cr, random, b.label, "DejaVu Serif", true, false, 0, 0, b.width * 0.86, textH,
                kDeepInk, 0.92, 0.8);
        endCell(cr);
        // Light layer: a glow over the wash and a highlight on the upper
        // half of the letters, so the word lifts and warms when hovered.
        beginCell(cr, 250, b.y, b.width, 50);
        cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
        brushStroke(cr, -b.width * 0.47, 6, b.width * 0.47, 2, -3, 30, rgb255(255, 255, 255), 0.12);
        centredTextPath(cr, b.label, "DejaVu Serif", true, false, 0, 0, b.width * 0.86, textH);
        setLinear(cr, 0, -textH / 2, 0, textH / 2, rgb255(255, 255, 255), 0.55, rgb255(255, 255, 255),
                  0.1);
        cairo_fill(cr);
        endCell(cr);
    }
}

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
    cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
    cairo_arc(cr, x + r, y + r, r, kPi, 1.5 * kPi);
    cairo_close_path(cr);
}

void paintGauges(Sheet& sheet) {
    cairo_t* cr = sheet.cr;
    // Frame (darkening, and lit additively over the filled part).
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    roundedRect(cr, 131.5, 405.5, 167, 19, 9);
    setRgba(cr, rgb255(255, 255, 255), 0.12);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 2.2);
    setRgba(cr, rgb255(235, 240, 255), 0.9);
    cairo_stroke(cr);
    for (int i = 1; i < 10; ++i) {
        double x = 131.5 + 16.7 * i;
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
    roundedRect(cr, 301.5, 406.5, 167, 17, 8);
    setLinear(cr, 0, 406, 0, 424, rgb255(255, 255, 255), 0.95, rgb255(255, 255, 255), 0.45);
    cairo_fill(cr);
    PaintRandom random = makePaintRandom(5004);
    for (int i = 0; i < 12; ++i) {
        double x = nextRange(random, 306, 464), y = nextRange(random, 414, 421);
        cairo_arc(cr, x, y, nextRange(random, 0.8, 1.8), 0, 2 * kPi);
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

void paintKindIcons(Sheet& sheet) {
    // White on transparent, tinted with each kind's colour.
    cairo_t* cr = sheet.cr;
    clearToTransparent(cr, 260, 165, 84, 12);
    const Rgb white = rgb255(255, 255, 255);
    for (int kind = 0; kind < 7; ++kind) {
        beginCell(cr, 260 + 12 * kind, 165, 12, 12);
        setRgba(cr, white, 1.0);
        switch (kind) {
        case 0:  // drop
            cairo_move_to(cr, 0, -5.2);
            cairo_curve_to(cr, 2, -2, 4, 0, 4, 1.6);
            cairo_arc(cr, 0, 1.6, 4, 0, kPi);
            cairo_curve_to(cr, -4, 0, -2, -2, 0, -5.2);
            cairo_fill(cr);
            break;
        case 1:  // leaf
            cairo_move_to(cr, -4.5, 4.5);
            cairo_curve_to(cr, -5, -2, -1, -5, 5, -5);
            cairo_curve_to(cr, 5, 1, 2, 5, -4.5, 4.5);
            cairo_fill(cr);
            break;
        case 2:  // flame
            cairo_move_to(cr, 0.5, -5.5);
            cairo_curve_to(cr, 4, -2, 4.5, 1, 4, 2.5);
            cairo_arc(cr, 0, 2, 4, 0.1, kPi - 0.1);
            cairo_curve_to(cr, -4.5, 0, -2, -1, -1, -3);
            cairo_curve_to(cr, 0, -1.5, 0.5, -3, 0.5, -5.5);
            cairo_fill(cr);
            break;
        case 3:  // clod
            cairo_move_to(cr, -5, 1);
            cairo_curve_to(cr, -5, -3, -2, -4.5, 1, -4);
            cairo_curve_to(cr, 4, -4, 5.5, -1, 5, 2);
            cairo_curve_to(cr, 4.5, 5, -4, 5.5, -5, 1);
            cairo_fill(cr);
            break;
        case 4:  // nut
            for (int i = 0; i < 6; ++i) {
                double a = kPi / 6 + i * kPi / 3;
                if (i == 0) cairo_move_to(cr, 5.4 * std::cos(a), 5.4 * std::sin(a));
                else cairo_line_to(cr, 5.4 * std::cos(a), 5.4 * std::sin(a));
            }
            cairo_close_path(cr);
            cairo_new_sub_path(cr);
            cairo_arc_negative(cr, 0, 0, 2, 2 * kPi, 0);
            cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
            cairo_fill(cr);
            break;
        case 5:  // cell
            cairo_arc(cr, 0, 0, 5, 0, 2 * kPi);
            cairo_new_sub_path(cr);
            cairo_arc(cr, 0.8, -0.5, 2, 0, 2 * kPi);
            cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
            cairo_fill(cr);
            cairo_arc(cr, 0.8, -0.5, 1, 0, 2 * kPi);
            cairo_fill(cr);
            break;
        case 6:  // star
            for (int i = 0; i < 10; ++i) {
                double a = -kPi / 2 + i * kPi / 5;
                double r = i % 2 == 0 ? 5.8 : 2.4;
                if (i == 0) cairo_move_to(cr, r * std::cos(a), r * std::sin(a) + 0.5);
                else cairo_line_to(cr, r * std::cos(a), r * std::sin(a) + 0.5);
            }
            cairo_close_path(cr);
            cairo_fill(cr);
            break;
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
    // "TIME UP" (370, 180) 420 x 64. Its left end holds part of the bitmap
    // font; the words stand right of it, with a rule between.
    beginCell(cr, 460, 180, 330, 64);
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    brushStroke(cr, -160, 12, 160, 8, -4, 42, inkTexel(rgb255(220, 170, 150)), 0.35);
    cairo_restore(cr);
    inkText(cr, random, "TIME UP", "DejaVu Serif", true, false, 0, 0, 300, 46, kBloomInk, 0.95, 1.5);
    endCell(cr);
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    brushStroke(cr, 459, 186, 459, 240, 1.5, 3, inkTexel(kSepiaInk), 0.6);
    cairo_restore(cr);
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

void paintInformation(Sheet& sheet) {
    cairo_t* cr = sheet.cr;
    PaintRandom random = makePaintRandom(5007);
    const char* lines[5] = {
        "HOW TO PLAY",
        "Hold the left button and move to spray water.",
        "Right button on an object pours charge: it bursts into the next element.",
        "Click: left repels, right attracts.  Space mutates (it costs time).",
        "aqua \xE2\x86\x92 leaf \xE2\x86\x92 flare \xE2\x86\x92 soil \xE2\x86\x92 metal \xE2\x86\x92 aqua.  "
        "Catch dreams and clovers!",
    };
    for (int i = 0; i < 5; ++i) {
        // Tight enough to end above the credit line, which the screen draws over this page's lower right.
        double y = 430 + 10 + i * 16.5;
        cairo_save(cr);
        cairo_rectangle(cr, 500, 430, 500, 100);
        cairo_clip(cr);
        if (i == 0) {
            inkText(cr, random, lines[i], "DejaVu Serif", true, false, 750, y, 200, 15, kBloomInk, 1.0,
                    0.5);
        } else {
            // Small text stays solid: blots would blur it.
            centredTextPath(cr, lines[i], "DejaVu Sans", false, false, 750, y, 490, 12.5);
            cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
            setRgba(cr, inkTexel(rgb255(25, 30, 45)), 1.0);
            cairo_fill(cr);
        }
        cairo_restore(cr);
    }
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

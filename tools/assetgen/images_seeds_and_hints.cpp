// effect2.png: the sprouting seeds and the seeds of the second set (all drawn
// darkening and tinted, so painted as neutral light on black), the three hint
// pictures (darkening, in coloured ink) and their common glow (added light).
#include <cmath>
#include <numbers>

#include "paint.h"
#include "paint_creatures.h"
#include "paint_sheets.h"

namespace {

const Rgb kHintInk = rgb255(30, 50, 85);
const Rgb kWaterInk = rgb255(30, 110, 200);
const Rgb kWarmInk = rgb255(200, 80, 40);

void paintSeeds(Sheet& sheet) {
    cairo_t* cr = sheet.cr;
    PaintRandom random = makePaintRandom(7001);
    for (int k = 0; k < 5; ++k) {
        beginCell(cr, 150 * k, 0, 150, 150);
        cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
        lightSeedling(cr, random, k);
        endCell(cr);
    }
    struct Placed {
        int x;
        void (*paint)(cairo_t*, PaintRandom&);
    };
    const Placed seeds[5] = {{0, lightJellyfish}, {150, lightSquid}, {300, lightPinwheel},
                             {450, lightSnail},   {600, lightFirefly}};
    for (const Placed& seed : seeds) {
        beginCell(cr, seed.x, 150, 150, 150);
        cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
        seed.paint(cr, random);
        endCell(cr);
    }
}

// Ink for a darkening cell: the complement of the colour left on the paper.
void inkPath(cairo_t* cr, Rgb ink, double alpha) {
    setRgba(cr, inkTexel(ink), alpha);
    cairo_fill(cr);
}

void inkLine(cairo_t* cr, Rgb ink, double alpha, double width) {
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    setRgba(cr, inkTexel(ink), alpha);
    cairo_stroke(cr);
}

// A mouse seen from above with one button (-1 left, 1 right) lit.
void mouse(cairo_t* cr, double x, double y, int litButton) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_move_to(cr, -26, -20);
    cairo_curve_to(cr, -26, -46, 26, -46, 26, -20);
    cairo_line_to(cr, 26, 22);
    cairo_curve_to(cr, 26, 52, -26, 52, -26, 22);
    cairo_close_path(cr);
    setRgba(cr, inkTexel(kHintInk), 0.1);
    cairo_fill_preserve(cr);
    inkLine(cr, kHintInk, 0.9, 2.5);
    cairo_move_to(cr, -26, -8);
    cairo_line_to(cr, 26, -8);
    cairo_move_to(cr, 0, -39);
    cairo_line_to(cr, 0, -8);
    inkLine(cr, kHintInk, 0.8, 2);
    double side = litButton;
    cairo_move_to(cr, side * 2, -38);
    cairo_curve_to(cr, side * 14, -38, side * 24, -32, side * 24, -20);
    cairo_line_to(cr, side * 24, -10);
    cairo_line_to(cr, side * 2, -10);
    cairo_close_path(cr);
    inkPath(cr, kWarmInk, 0.75);
    cairo_restore(cr);
}

void drop(cairo_t* cr, double x, double y, double r, double alpha) {
    cairo_move_to(cr, x, y - r * 1.6);
    cairo_curve_to(cr, x + r * 0.6, y - r * 0.7, x + r, y - r * 0.2, x + r, y + r * 0.2);
    cairo_arc(cr, x, y + r * 0.2, r, 0, std::numbers::pi);
    cairo_curve_to(cr, x - r, y - r * 0.2, x - r * 0.6, y - r * 0.7, x, y - r * 1.6);
    cairo_close_path(cr);
    inkPath(cr, kWaterInk, alpha);
}

void hintText(cairo_t* cr, const char* first, const char* second, double cx) {
    centredTextPath(cr, first, "DejaVu Serif", true, false, cx, -22, 290, 24);
    inkPath(cr, kHintInk, 0.95);
    centredTextPath(cr, second, "DejaVu Serif", false, true, cx, 18, 290, 24);
    inkPath(cr, kHintInk, 0.95);
}

void hintBackdrop(cairo_t* cr, PaintRandom& random) {
    // A pale wash the hint sits on, with a soft edge.
    for (int i = 0; i < 3; ++i) {
        wobblyLoop(cr, random, 0, 0, 235 - i * 6, 88 - i * 4, 0.04, 12);
        setRgba(cr, inkTexel(rgb255(200, 225, 215)), 0.18);
        cairo_fill(cr);
    }
}

void paintHints(Sheet& sheet) {
    cairo_t* cr = sheet.cr;
    PaintRandom random = makePaintRandom(7002);
    // First hint (500, 800): spray water.
    beginCell(cr, 500, 800, 500, 200);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    hintBackdrop(cr, random);
    mouse(cr, -170, 0, -1);
    for (int i = 0; i < 6; ++i) {
        double t = i / 5.0;
        drop(cr, -134 + 36 * t, 40 - 75 * t + 8 * std::sin(t * 6), 4 + 3 * t, 0.5 + 0.4 * t);
    }
    hintText(cr, "Hold the left button", "and move to spray water", 75);
    endCell(cr);
    // Second hint (0, 600): charge an object.
    beginCell(cr, 0, 600, 500, 200);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    hintBackdrop(cr, random);
    mouse(cr, -185, 4, 1);
    cairo_arc(cr, -118, -10, 18, 0, 2 * std::numbers::pi);
    setRgba(cr, inkTexel(rgb255(60, 150, 70)), 0.6);
    cairo_fill_preserve(cr);
    inkLine(cr, rgb255(30, 90, 40), 0.8, 2);
    for (int i = 0; i < 8; ++i) {
        double a = i * std::numbers::pi / 4;
        cairo_move_to(cr, -118 + 24 * std::cos(a), -10 + 24 * std::sin(a));
        cairo_line_to(cr, -118 + 32 * std::cos(a), -10 + 32 * std::sin(a));
    }
    inkLine(cr, kWarmInk, 0.8, 2.2);
    hintText(cr, "Right button on an object", "pours charge into it", 75);
    endCell(cr);
    // Third hint (500, 600): waves and mutation.
    beginCell(cr, 500, 600, 500, 200);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    hintBackdrop(cr, random);
    for (int i = 0; i < 3; ++i) {
        cairo_arc(cr, -165, -18, 18 + i * 12, 0, 2 * std::numbers::pi);
        inkLine(cr, i == 1 ? kWarmInk : kWaterInk, 0.7 - i * 0.15, 2);
    }
    cairo_arc(cr, -165, -18, 5, 0, 2 * std::numbers::pi);
    inkPath(cr, kHintInk, 0.9);
    // The space bar.
    cairo_move_to(cr, -215, 42);
    cairo_line_to(cr, -115, 42);
    cairo_line_to(cr, -115, 64);
    cairo_line_to(cr, -215, 64);
    cairo_close_path(cr);
    inkLine(cr, kHintInk, 0.85, 2);
    centredTextPath(cr, "SPACE", "DejaVu Sans", true, false, -165, 53, 60, 11);
    inkPath(cr, kHintInk, 0.9);
    centredTextPath(cr, "Click: left repels, right attracts.", "DejaVu Serif", true, false, 65, -22,
                    300, 22);
    inkPath(cr, kHintInk, 0.95);
    centredTextPath(cr, "Space mutates", "DejaVu Serif", false, true, 65, 18, 300, 24);
    inkPath(cr, kHintInk, 0.95);
    endCell(cr);
    // The glow under every hint (0, 800), added as light.
    beginCell(cr, 0, 800, 500, 200);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    cairo_save(cr);
    cairo_scale(cr, 1.0, 0.4);
    softGlow(cr, 0, 0, 245, rgb255(255, 245, 220), 0.9);
    cairo_restore(cr);
    for (int i = 0; i < 18; ++i) {
        double x = nextRange(random, -220, 220), y = nextRange(random, -80, 80);
        softGlow(cr, x, y, nextRange(random, 6, 16), rgb255(255, 255, 235), 0.35);
    }
    endCell(cr);
}

}  // namespace

bool writeSeedAndHintSheet(const std::string& imgDir) {
    Sheet sheet = createSheet(1024, 1000);
    fillOpaqueBlack(sheet.cr, 0, 0, 1024, 1000);
    paintSeeds(sheet);
    blurArea(sheet, 0, 0, 750, 300, 1);
    PaintRandom grain = makePaintRandom(7003);
    addGrain(sheet, grain, 0, 0, 750, 300, 0.12);
    paintHints(sheet);
    bool ok = saveSheet(sheet, imgDir, "effect2.png");
    destroySheet(sheet);
    return ok;
}

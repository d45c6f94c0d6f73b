// effect.png: the tall vine, the round blossom, the bubble, the five plants,
// the seeds and creatures of the field and the title's flying blossoms, and
// three large pictures. Everything is drawn darkening and mostly tinted, so it
// is painted as neutral light on black: the brighter, the darker the ink.
#include <cmath>
#include <numbers>

#include "paint.h"
#include "paint_creatures.h"
#include "paint_sheets.h"

namespace {

void paintVine(Sheet& sheet) {
    cairo_t* cr = sheet.cr;
    PaintRandom random = makePaintRandom(6001);
    beginCell(cr, 0, 0, 200, 500);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    // The stem: an S-curve from the root up, thick below and fine at the tip.
    const int steps = 40;
    double px = 10, py = 245;
    for (int i = 1; i <= steps; ++i) {
        double t = i / double(steps);
        double x = 10 + 45 * std::sin(t * 2.6 * std::numbers::pi) * (0.4 + 0.6 * t) - 20 * t;
        double y = 245 - 470 * t;
        cairo_save(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_OVER);  // no beads at the joints
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_width(cr, 9 * (1 - t) + 1.5);
        cairo_move_to(cr, px, py);
        cairo_line_to(cr, x, y);
        setRgba(cr, lightWhite(), 0.75);
        cairo_stroke(cr);
        cairo_restore(cr);
        if (i % 4 == 2 && i < steps - 1) {
            double side = (i / 4) % 2 ? 1 : -1;
            double size = 46 * (1 - t * 0.55);
            lightLeaf(cr, x, y, size, side * (0.9 + nextRange(random, -0.2, 0.2)) - std::numbers::pi / 2, 0.5);
        }
        if (i % 9 == 5) {
            double side = (i / 9) % 2 ? -1 : 1;
            lightTendril(cr, x, y, side, 18 * (1 - t * 0.4), 0.6);
        }
        px = x;
        py = y;
    }
    // Three small blossoms along the vine and a bud at the tip.
    lightBlossom(cr, random, 48, 90, 20, 6, 0.7);
    lightBlossom(cr, random, -45, -40, 16, 5, 0.7);
    lightBlossom(cr, random, 30, -170, 13, 5, 0.7);
    softGlow(cr, px, py - 4, 9, lightWhite(), 0.8);
    endCell(cr);
}

void paintRoundBlossom(Sheet& sheet) {
    cairo_t* cr = sheet.cr;
    PaintRandom random = makePaintRandom(6002);
    beginCell(cr, 200, 0, 200, 200);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    softGlow(cr, 0, 0, 98, lightWhite(), 0.25);
    for (int ring = 0; ring < 3; ++ring) {
        int petals = 14 - ring * 3;
        double outer = 90 - ring * 24, inner = 16;
        for (int i = 0; i < petals; ++i) {
            double a = 2 * std::numbers::pi * (i + ring * 0.5) / petals + nextRange(random, -0.05, 0.05);
            cairo_save(cr);
            cairo_rotate(cr, a);
            cairo_move_to(cr, inner, 0);
            cairo_curve_to(cr, inner + 10, -outer * 0.22, outer * 0.9, -outer * 0.2, outer, 0);
            cairo_curve_to(cr, outer * 0.9, outer * 0.2, inner + 10, outer * 0.22, inner, 0);
            cairo_close_path(cr);
            cairo_restore(cr);
            setRgba(cr, lightWhite(), 0.16 + ring * 0.06);
            cairo_fill_preserve(cr);
            cairo_set_line_width(cr, 1.6);
            setRgba(cr, lightWhite(), 0.45);
            cairo_stroke(cr);
        }
    }
    cairo_arc(cr, 0, 0, 17, 0, 2 * std::numbers::pi);
    setRgba(cr, lightWhite(), 0.8);
    cairo_fill(cr);
    for (int i = 0; i < 16; ++i) {
        double a = 2 * std::numbers::pi * i / 16;
        cairo_arc(cr, 24 * std::cos(a), 24 * std::sin(a), 2.2, 0, 2 * std::numbers::pi);
        setRgba(cr, lightWhite(), 0.85);
        cairo_fill(cr);
    }
    endCell(cr);
}

void paintBubble(Sheet& sheet) {
    cairo_t* cr = sheet.cr;
    beginCell(cr, 200, 200, 100, 100);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    softGlow(cr, 0, 0, 46, lightWhite(), 0.15);
    cairo_set_line_width(cr, 3.5);
    cairo_arc(cr, 0, 0, 42, 0, 2 * std::numbers::pi);
    setRgba(cr, lightWhite(), 0.55);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 6);
    cairo_arc(cr, 0, 0, 37, 0.2 * std::numbers::pi, 0.8 * std::numbers::pi);
    setRgba(cr, lightWhite(), 0.3);
    cairo_stroke(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 5);
    cairo_arc(cr, 0, 0, 30, 1.1 * std::numbers::pi, 1.4 * std::numbers::pi);
    setRgba(cr, lightWhite(), 0.85);
    cairo_stroke(cr);
    softGlow(cr, 16, 18, 6, lightWhite(), 0.7);
    endCell(cr);
}

// The five plants (150 x 200 each, standing on the bottom of their cells).
void paintPlants(Sheet& sheet) {
    cairo_t* cr = sheet.cr;
    PaintRandom random = makePaintRandom(6003);
    for (int k = 0; k < 5; ++k) {
        beginCell(cr, 150 * k, 500, 150, 200);
        cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
        cairo_translate(cr, 0, 92);  // the ground
        switch (k) {
        case 0: lightFern(cr, random, 175); break;
        case 1: lightTulip(cr, random, 170); break;
        case 2: lightDandelion(cr, random, 175); break;
        case 3: lightGrassDaisy(cr, random, 160); break;
        case 4: lightBellflower(cr, random, 170); break;
        }
        endCell(cr);
    }
}

// The 4 x 3 grid of 150-pixel cells from (400, 0).
void paintGrid(Sheet& sheet) {
    cairo_t* cr = sheet.cr;
    PaintRandom random = makePaintRandom(6004);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 4; ++column) {
            beginCell(cr, 400 + 150 * column, 150 * row, 150, 150);
            cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
            int cell = row * 4 + column;
            switch (cell) {
            case 0: lightSamara(cr, random, 1); break;      // spiralling seeds
            case 1: lightSamara(cr, random, 2); break;
            case 2: lightSpiralSeed(cr, random); break;
            case 3: lightBeetle(cr, random); break;         // faces left
            case 4: lightTadpole(cr, random); break;        // swimmers face left
            case 5: lightFish(cr, random); break;
            case 6: lightShrimp(cr, random); break;
            case 7: lightButterfly(cr, random); break;      // flying blossoms
            case 8: lightParachute(cr, random); break;
            case 9: lightBlossom(cr, random, 0, 0, 60, 5, 0.8); break;
            case 10: lightBlossom(cr, random, 0, 0, 62, 8, 0.7); break;
            case 11: lightEmberSeed(cr, random); break;     // chain link, faces up
            }
            endCell(cr);
        }
    }
}

void paintLargePictures(Sheet& sheet) {
    cairo_t* cr = sheet.cr;
    PaintRandom random = makePaintRandom(6005);
    // A great bloom in rose ink.
    beginCell(cr, 0, 700, 300, 300);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    const Rgb rose = inkTexel(rgb255(190, 60, 110));
    for (int ring = 0; ring < 4; ++ring) {
        int petals = 16 - ring * 3;
        double outer = 140 - ring * 30;
        for (int i = 0; i < petals; ++i) {
            double a = 2 * std::numbers::pi * (i + 0.5 * ring) / petals;
            cairo_save(cr);
            cairo_rotate(cr, a);
            cairo_move_to(cr, 14, 0);
            cairo_curve_to(cr, 30, -outer * 0.25, outer * 0.85, -outer * 0.3, outer, 0);
            cairo_curve_to(cr, outer * 0.85, outer * 0.3, 30, outer * 0.25, 14, 0);
            cairo_restore(cr);
            setRgba(cr, rose, 0.14);
            cairo_fill_preserve(cr);
            cairo_set_line_width(cr, 1.8);
            setRgba(cr, rose, 0.4);
            cairo_stroke(cr);
        }
    }
    softGlow(cr, 0, 0, 30, inkTexel(rgb255(220, 160, 40)), 0.9);
    endCell(cr);
    // A swirl of water in blue ink.
    beginCell(cr, 300, 700, 300, 300);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    const Rgb blue = inkTexel(rgb255(40, 100, 190));
    for (int arm = 0; arm < 5; ++arm) {
        double base = arm * 2 * std::numbers::pi / 5;
        // Each arm is one wash: built in a group so its own segments do not
        // add up, then the arms glaze over each other.
        cairo_push_group(cr);
        double px = 0, py = 0;
        for (int i = 1; i <= 60; ++i) {
            double t = i / 60.0;
            double a = base + t * 2.4 * std::numbers::pi;
            double r = 140 * t;
            double x = r * std::cos(a), y = r * std::sin(a);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_set_line_width(cr, 2 + 16 * std::sin(t * std::numbers::pi));
            cairo_move_to(cr, px, py);
            cairo_line_to(cr, x, y);
            setRgba(cr, blue, 1.0);
            cairo_stroke(cr);
            px = x;
            py = y;
        }
        cairo_pop_group_to_source(cr);
        cairo_paint_with_alpha(cr, 0.3);
    }
    for (int i = 0; i < 24; ++i) {
        double a = nextUnit(random) * 2 * std::numbers::pi, d = nextRange(random, 40, 135);
        softGlow(cr, d * std::cos(a), d * std::sin(a), nextRange(random, 4, 10), blue, 0.6);
    }
    endCell(cr);
    // A wreath of leaves in green ink.
    beginCell(cr, 600, 700, 300, 300);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    const Rgb green = inkTexel(rgb255(40, 130, 70));
    cairo_set_line_width(cr, 4);
    cairo_arc(cr, 0, 0, 100, 0, 2 * std::numbers::pi);
    setRgba(cr, green, 0.5);
    cairo_stroke(cr);
    for (int i = 0; i < 22; ++i) {
        double a = 2 * std::numbers::pi * i / 22;
        for (int side = -1; side <= 1; side += 2) {
            double x = 100 * std::cos(a), y = 100 * std::sin(a);
            cairo_save(cr);
            cairo_translate(cr, x, y);
            cairo_rotate(cr, a + std::numbers::pi / 2 + side * 0.9);
            cairo_move_to(cr, 0, 0);
            cairo_curve_to(cr, 9, -8, 10, -26, 0, -38);
            cairo_curve_to(cr, -10, -26, -9, -8, 0, 0);
            cairo_restore(cr);
            setRgba(cr, green, 0.35);
            cairo_fill_preserve(cr);
            cairo_set_line_width(cr, 1.5);
            setRgba(cr, green, 0.6);
            cairo_stroke(cr);
        }
    }
    for (int i = 0; i < 6; ++i) {
        double a = 2 * std::numbers::pi * i / 6 + 0.26;
        lightBlossom(cr, random, 100 * std::cos(a), 100 * std::sin(a), 13, 5, 0.75);
    }
    endCell(cr);
}

}  // namespace

bool writePlantAndCreatureSheet(const std::string& imgDir) {
    Sheet sheet = createSheet(1024, 1000);
    fillOpaqueBlack(sheet.cr, 0, 0, 1024, 1000);
    paintVine(sheet);
    paintRoundBlossom(sheet);
    paintBubble(sheet);
    paintPlants(sheet);
    paintGrid(sheet);
    paintLargePictures(sheet);
    // Soften the edges a little and give the washes a paper tooth.
    blurArea(sheet, 0, 0, 1024, 1000, 1);
    PaintRandom grain = makePaintRandom(6006);
    addGrain(sheet, grain, 0, 0, 1024, 1000, 0.12);
    bool ok = saveSheet(sheet, imgDir, "effect.png");
    destroySheet(sheet);
    return ok;
}

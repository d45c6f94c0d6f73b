// objects.png and objects_monochro.png: the five elements, life, dream and the
// clover, the cursors, the mini-map frame, the trail particle and the wave ring.
#include <cmath>
#include <numbers>

#include "paint.h"
#include "paint_sheets.h"

namespace {

// Where the play cursor sits inside the large dream cell, relative to the
// dream's centre in units of its radius (the cursor cell is (141, 701) 48 x 48,
// the dream cell (0, 600) 200 x 200 with radius 90).
constexpr double kCursorX = (165.0 - 100.0) / 90.0;
constexpr double kCursorY = (725.0 - 700.0) / 90.0;

void paintAqua(cairo_t* cr) {
    PaintRandom random = makePaintRandom(101);
    wobblyLoop(cr, random, 0, 0, 0.96, 0.94, 0.03, 9);
    setRadial3(cr, -0.3, -0.35, 0, 0, 1.0, rgb255(190, 235, 255), 0.95, rgb255(90, 170, 240), 0.95,
               rgb255(35, 105, 215), 0.97);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 0.06);
    setRgba(cr, rgb255(20, 70, 170), 0.85);
    cairo_stroke(cr);
    watercolourWash(cr, random, 0.18, 0.22, 0.55, 0.5, rgb255(30, 95, 200), 0.3, 3);
    // Reflections: a curved window highlight and a small glint.
    cairo_save(cr);
    cairo_translate(cr, -0.36, -0.4);
    cairo_rotate(cr, -0.7);
    cairo_scale(cr, 0.26, 0.12);
    cairo_arc(cr, 0, 0, 1, 0, 2 * std::numbers::pi);
    cairo_restore(cr);
    setRgba(cr, rgb255(255, 255, 255), 0.92);
    cairo_fill(cr);
    cairo_arc(cr, 0.42, 0.45, 0.08, 0, 2 * std::numbers::pi);
    setRgba(cr, rgb255(235, 250, 255), 0.7);
    cairo_fill(cr);
    cairo_set_line_width(cr, 0.05);
    cairo_arc(cr, 0, 0, 0.72, 0.25 * std::numbers::pi, 0.6 * std::numbers::pi);
    setRgba(cr, rgb255(220, 245, 255), 0.6);
    cairo_stroke(cr);
}

void leafOutline(cairo_t* cr, double width) {
    cairo_move_to(cr, 0, -0.98);
    cairo_curve_to(cr, 0.55 * width, -0.62, 0.8 * width, 0.25, 0, 0.86);
    cairo_curve_to(cr, -0.78 * width, 0.22, -0.6 * width, -0.6, 0, -0.98);
    cairo_close_path(cr);
}

void paintLeaf(cairo_t* cr) {
    PaintRandom random = makePaintRandom(202);
    softGlow(cr, 0, 0.05, 1.0, rgb255(120, 200, 90), 0.25);
    leafOutline(cr, 1.0);
    setLinear(cr, -0.4, -0.9, 0.4, 0.9, rgb255(185, 225, 95), 0.97, rgb255(45, 135, 60), 0.97);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 0.045);
    setRgba(cr, rgb255(25, 80, 35), 0.9);
    cairo_stroke(cr);
    cairo_save(cr);
    leafOutline(cr, 1.0);
    cairo_clip(cr);
    watercolourWash(cr, random, 0.25, 0.2, 0.45, 0.7, rgb255(30, 110, 50), 0.35, 3);
    // Midrib and veins, pale like the underside of a real leaf.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 0.05);
    setRgba(cr, rgb255(225, 245, 180), 0.9);
    cairo_move_to(cr, 0.02, 0.9);
    cairo_curve_to(cr, 0.05, 0.3, -0.04, -0.3, 0, -0.88);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 0.028);
    for (int i = 0; i < 5; ++i) {
        double y = 0.6 - i * 0.3;
        for (int side = -1; side <= 1; side += 2) {
            cairo_move_to(cr, 0.01, y);
            cairo_curve_to(cr, side * 0.2, y - 0.1, side * 0.35, y - 0.2, side * 0.48, y - 0.38);
        }
    }
    cairo_stroke(cr);
    cairo_restore(cr);
}

void flameTongue(cairo_t* cr, double x, double baseY, double height, double width, double lean) {
    cairo_move_to(cr, x + lean, baseY - height);
    cairo_curve_to(cr, x + width * 0.7, baseY - height * 0.45, x + width, baseY - height * 0.05, x,
                   baseY + width * 0.25);
    cairo_curve_to(cr, x - width, baseY - height * 0.05, x - width * 0.7, baseY - height * 0.45,
                   x + lean, baseY - height);
    cairo_close_path(cr);
}

void paintFlare(cairo_t* cr) {
    softGlow(cr, 0, 0.15, 1.05, rgb255(255, 140, 40), 0.55);
    flameTongue(cr, -0.42, 0.55, 1.0, 0.32, -0.2);
    flameTongue(cr, 0.42, 0.58, 0.95, 0.3, 0.22);
    setRgba(cr, rgb255(230, 70, 30), 0.85);
    cairo_fill(cr);
    flameTongue(cr, 0, 0.62, 1.58, 0.62, 0.05);
    setRadial3(cr, 0, 0.4, 0, 0.25, 1.0, rgb255(255, 245, 170), 1.0, rgb255(255, 150, 35), 0.97,
               rgb255(215, 45, 25), 0.95);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 0.04);
    setRgba(cr, rgb255(170, 30, 20), 0.6);
    cairo_stroke(cr);
    flameTongue(cr, 0.02, 0.6, 0.95, 0.32, 0.04);
    setRgba(cr, rgb255(255, 250, 215), 0.9);
    cairo_fill(cr);
    softGlow(cr, 0, 0.45, 0.35, rgb255(255, 255, 255), 0.8);
}

// Soil is drawn tinted (100, green, blue), green = water absorbed + 50 and blue = twice it: brown
// when dry, (100, 150, 200) when soaked. Painted in warm ochres that hold little green and less
// blue, it stays an earth colour through that range: a red-brown clod dry, dark grey-brown wet.
Rgb earth(double light) { return {light, light * 0.64, light * 0.32}; }

void paintSoil(cairo_t* cr) {
    PaintRandom random = makePaintRandom(404);
    wobblyLoop(cr, random, 0, 0, 0.93, 0.86, 0.1, 13);
    setRadial3(cr, -0.3, -0.35, 0, 0, 1.0, earth(1.0), 1.0, earth(0.93), 1.0, earth(0.78), 1.0);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 0.04);
    setRgba(cr, earth(0.42), 0.9);
    cairo_stroke(cr);
    cairo_save(cr);
    wobblyLoop(cr, random, 0, 0, 0.9, 0.83, 0.08, 13);
    cairo_clip(cr);
    // Crumbs and pebbles.
    for (int i = 0; i < 46; ++i) {
        double a = nextUnit(random) * 2 * std::numbers::pi, d = std::sqrt(nextUnit(random)) * 0.8;
        double r = nextRange(random, 0.02, 0.06);
        double shade = nextRange(random, 0.55, 0.85);
        cairo_arc(cr, std::cos(a) * d, std::sin(a) * d, r, 0, 2 * std::numbers::pi);
        setRgba(cr, earth(shade), 0.55);
        cairo_fill(cr);
    }
    // A few lumps, lit from the upper left.
    for (int i = 0; i < 4; ++i) {
        double a = nextUnit(random) * 2 * std::numbers::pi, d = nextRange(random, 0.25, 0.55);
        double x = std::cos(a) * d, y = std::sin(a) * d;
        wobblyLoop(cr, random, x + 0.03, y + 0.04, 0.17, 0.13, 0.12, 7);
        setRgba(cr, earth(0.58), 0.35);
        cairo_fill(cr);
        wobblyLoop(cr, random, x, y, 0.15, 0.11, 0.12, 7);
        setRadial3(cr, x - 0.05, y - 0.05, x, y, 0.16, earth(1.0), 0.9, earth(0.94), 0.8, earth(0.84), 0.6);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    softGlow(cr, -0.35, -0.4, 0.45, rgb255(255, 190, 130), 0.5);
}

void hexagon(cairo_t* cr, double r, double turn) {
    for (int i = 0; i < 6; ++i) {
        double a = turn + i * std::numbers::pi / 3;
        if (i == 0) cairo_move_to(cr, r * std::cos(a), r * std::sin(a));
        else cairo_line_to(cr, r * std::cos(a), r * std::sin(a));
    }
    cairo_close_path(cr);
}

void paintMetal(cairo_t* cr) {
    // A light grey nut: the game tints it red as it heats.
    const double outer = 0.95, inner = 0.42;
    for (int i = 0; i < 6; ++i) {
        double a0 = i * std::numbers::pi / 3 + std::numbers::pi / 6, a1 = a0 + std::numbers::pi / 3;
        double mid = (a0 + a1) / 2;
        // Light from the upper left.
        double light = 0.5 + 0.5 * std::cos(mid - 1.25 * std::numbers::pi);
        double grey = 0.62 + 0.36 * light;
        cairo_move_to(cr, outer * std::cos(a0), outer * std::sin(a0));
        cairo_line_to(cr, outer * std::cos(a1), outer * std::sin(a1));
        cairo_line_to(cr, inner * std::cos(a1), inner * std::sin(a1));
        cairo_line_to(cr, inner * std::cos(a0), inner * std::sin(a0));
        cairo_close_path(cr);
        setRgba(cr, {grey, grey, grey * 1.01}, 1.0);
        cairo_fill(cr);
    }
    // The bore, darker, with a bright thread line.
    cairo_arc(cr, 0, 0, inner * 0.98, 0, 2 * std::numbers::pi);
    setRadial3(cr, 0.12, 0.12, 0, 0, inner, rgb255(120, 124, 130), 1.0, rgb255(150, 154, 160), 1.0,
               rgb255(95, 98, 104), 1.0);
    cairo_fill(cr);
    cairo_set_line_width(cr, 0.035);
    cairo_arc(cr, 0, 0, inner * 0.72, 0, 2 * std::numbers::pi);
    setRgba(cr, rgb255(215, 218, 222), 0.8);
    cairo_stroke(cr);
    // Edges and a glint.
    cairo_set_line_width(cr, 0.045);
    hexagon(cr, outer, std::numbers::pi / 6);
    setRgba(cr, rgb255(70, 74, 82), 0.95);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 0.025);
    for (int i = 0; i < 6; ++i) {
        double a = i * std::numbers::pi / 3 + std::numbers::pi / 6;
        cairo_move_to(cr, outer * std::cos(a), outer * std::sin(a));
        cairo_line_to(cr, inner * std::cos(a), inner * std::sin(a));
    }
    cairo_arc(cr, 0, 0, inner, 0, 2 * std::numbers::pi);
    setRgba(cr, rgb255(90, 94, 100), 0.7);
    cairo_stroke(cr);
    softGlow(cr, -0.5, -0.55, 0.3, rgb255(255, 255, 255), 0.9);
}

void paintLife(cairo_t* cr) {
    PaintRandom random = makePaintRandom(505);
    softGlow(cr, 0, 0, 1.05, rgb255(240, 130, 220), 0.3);
    wobblyLoop(cr, random, 0, 0, 0.92, 0.9, 0.05, 10);
    setRadial3(cr, -0.25, -0.3, 0, 0, 1.0, rgb255(255, 235, 250), 0.92, rgb255(248, 185, 230), 0.92,
               rgb255(225, 120, 205), 0.95);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 0.07);
    setRgba(cr, rgb255(170, 60, 160), 0.85);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 0.025);
    setRgba(cr, rgb255(255, 240, 255), 0.8);
    cairo_stroke(cr);
    // Organelles drifting in the cytoplasm.
    for (int i = 0; i < 7; ++i) {
        double a = nextUnit(random) * 2 * std::numbers::pi, d = nextRange(random, 0.45, 0.68);
        double x = std::cos(a) * d, y = std::sin(a) * d;
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, a);
        cairo_scale(cr, 0.13, 0.07);
        cairo_arc(cr, 0, 0, 1, 0, 2 * std::numbers::pi);
        cairo_restore(cr);
        setRgba(cr, i % 2 ? rgb255(150, 205, 110) : rgb255(250, 185, 110), 0.85);
        cairo_fill(cr);
    }
    // Nucleus.
    wobblyLoop(cr, random, 0.12, -0.08, 0.34, 0.31, 0.05, 8);
    setRadial3(cr, 0.05, -0.15, 0.12, -0.08, 0.34, rgb255(225, 150, 235), 0.95,
               rgb255(175, 85, 200), 0.95, rgb255(125, 45, 160), 0.95);
    cairo_fill(cr);
    cairo_arc(cr, 0.18, -0.02, 0.09, 0, 2 * std::numbers::pi);
    setRgba(cr, rgb255(90, 25, 120), 0.85);
    cairo_fill(cr);
    softGlow(cr, -0.4, -0.45, 0.25, rgb255(255, 255, 255), 0.8);
}

// A four-pointed star with concave sides, tips at `tip` (the second pair a
// little shorter), the sides pulled in to `inner`.
void fourPointStar(cairo_t* cr, double tip, double inner) {
    for (int i = 0; i < 4; ++i) {
        double a = i * std::numbers::pi / 2 - std::numbers::pi / 2;
        double r = (i % 2 == 0) ? tip : tip * 0.82;
        double x = r * std::cos(a), y = r * std::sin(a);
        if (i == 0) cairo_move_to(cr, x, y);
        double nextA = a + std::numbers::pi / 2;
        double nextR = (i % 2 == 0) ? tip * 0.82 : tip;
        double mid = a + std::numbers::pi / 4;
        cairo_curve_to(cr, inner * std::cos(mid - 0.35), inner * std::sin(mid - 0.35),
                       inner * std::cos(mid + 0.35), inner * std::sin(mid + 0.35),
                       nextR * std::cos(nextA), nextR * std::sin(nextA));
    }
    cairo_close_path(cr);
}

// A twinkle of the dream: starlight, white and cool beside the warm star, a long four-pointed
// glint with a shorter one across it, outlined in the blue ink of the interface; everything stays
// inside radius 1. The dream wears one in the play cursor's cell, so the cursor is this same
// twinkle: it spins, its uneven glints show the turning, and its ink keeps it clear on paper, on
// objects and among the golden dreams.
void paintTwinkle(cairo_t* cr) {
    softGlow(cr, 0, 0, 0.92, rgb255(190, 225, 255), 0.65);
    const Rgb ink = rgb255(25, 80, 110);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);  // a mitred tip would overshoot the radius
    cairo_save(cr);
    cairo_rotate(cr, std::numbers::pi / 4);
    fourPointStar(cr, 0.6, 0.2);
    cairo_restore(cr);
    setRgba(cr, rgb255(225, 240, 255), 1.0);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 0.06);
    setRgba(cr, ink, 0.85);
    cairo_stroke(cr);
    fourPointStar(cr, 0.9, 0.24);
    setRadial3(cr, 0, 0, 0, 0, 0.9, rgb255(255, 255, 255), 1.0, rgb255(220, 238, 255), 1.0,
               rgb255(160, 205, 245), 1.0);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 0.075);
    setRgba(cr, ink, 0.95);
    cairo_stroke(cr);
    softGlow(cr, 0, 0, 0.3, rgb255(255, 255, 255), 1.0);
}

void paintDream(cairo_t* cr) {
    const double twinkleAngle = std::atan2(kCursorY, kCursorX);
    softGlow(cr, 0, 0, 1.0, rgb255(255, 190, 50), 0.55);
    softGlow(cr, 0, 0, 0.55, rgb255(255, 240, 160), 0.9);
    // The rays stand 45 degrees away from the large twinkle, so it never cuts one.
    cairo_save(cr);
    cairo_rotate(cr, twinkleAngle + std::numbers::pi / 4);
    fourPointStar(cr, 0.98, 0.3);
    setRadial3(cr, 0, 0, 0, 0, 0.9, rgb255(255, 255, 240), 1.0, rgb255(255, 215, 90), 1.0,
               rgb255(240, 150, 30), 0.97);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 0.035);
    setRgba(cr, rgb255(200, 110, 20), 0.8);
    cairo_stroke(cr);
    cairo_restore(cr);
    cairo_arc(cr, 0, 0, 0.3, 0, 2 * std::numbers::pi);
    setRadial3(cr, -0.08, -0.1, 0, 0, 0.3, rgb255(255, 255, 255), 1.0, rgb255(255, 248, 200), 1.0,
               rgb255(255, 205, 80), 1.0);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 0.03);
    setRgba(cr, rgb255(215, 130, 30), 0.7);
    cairo_stroke(cr);
    softGlow(cr, -0.06, -0.08, 0.18, rgb255(255, 255, 255), 1.0);
    // Twinkles round the star: two small ones, and a large one that in the large cell is the
    // play cursor's picture.
    const double smallTwinkles[2][3] = {{twinkleAngle + 2.9, 0.78, 0.1}, {twinkleAngle - 1.75, 0.84, 0.075}};
    for (const auto& s : smallTwinkles) {
        cairo_save(cr);
        cairo_translate(cr, s[1] * std::cos(s[0]), s[1] * std::sin(s[0]));
        cairo_scale(cr, s[2], s[2]);
        paintTwinkle(cr);
        cairo_restore(cr);
    }
    cairo_save(cr);
    cairo_translate(cr, kCursorX, kCursorY);
    cairo_scale(cr, 24.0 / 90.0, 24.0 / 90.0);
    // Clear a round space for it (wider than its square cell) so that the cursor cell carries
    // nothing of the star's glow at its edges.
    cairo_pattern_t* clearing = cairo_pattern_create_radial(0, 0, 0, 0, 0, 2.0);
    cairo_pattern_add_color_stop_rgba(clearing, 0.0, 0, 0, 0, 1);
    cairo_pattern_add_color_stop_rgba(clearing, 0.73, 0, 0, 0, 1);
    cairo_pattern_add_color_stop_rgba(clearing, 1.0, 0, 0, 0, 0);
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_DEST_OUT);
    cairo_set_source(cr, clearing);
    cairo_arc(cr, 0, 0, 2.0, 0, 2 * std::numbers::pi);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_pattern_destroy(clearing);
    paintTwinkle(cr);
    cairo_restore(cr);
}

void heartLeaf(cairo_t* cr) {
    // Pointing along +y from the origin, notch at the far end.
    cairo_move_to(cr, 0, 0.02);
    cairo_curve_to(cr, 0.3, 0.15, 0.5, 0.5, 0.32, 0.74);
    cairo_curve_to(cr, 0.2, 0.9, 0.04, 0.86, 0, 0.72);
    cairo_curve_to(cr, -0.04, 0.86, -0.2, 0.9, -0.32, 0.74);
    cairo_curve_to(cr, -0.5, 0.5, -0.3, 0.15, 0, 0.02);
    cairo_close_path(cr);
}

void paintClover(cairo_t* cr) {
    softGlow(cr, 0, 0, 1.0, rgb255(140, 230, 110), 0.35);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 0.07);
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, 0.05, 0.35, 0.18, 0.6, 0.1, 0.95);
    setRgba(cr, rgb255(60, 130, 50), 0.95);
    cairo_stroke(cr);
    for (int i = 0; i < 4; ++i) {
        cairo_save(cr);
        cairo_rotate(cr, std::numbers::pi / 4 + i * std::numbers::pi / 2);
        cairo_scale(cr, 1.12, 1.12);
        heartLeaf(cr);
        setLinear(cr, 0, 0, 0, 0.85, rgb255(60, 150, 60), 0.97, rgb255(130, 210, 90), 0.97);
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 0.035);
        setRgba(cr, rgb255(25, 85, 35), 0.9);
        cairo_stroke(cr);
        // The pale chevron of a clover leaf.
        cairo_set_line_width(cr, 0.05);
        cairo_move_to(cr, -0.17, 0.5);
        cairo_line_to(cr, 0, 0.33);
        cairo_line_to(cr, 0.17, 0.5);
        setRgba(cr, rgb255(220, 245, 200), 0.75);
        cairo_stroke(cr);
        cairo_set_line_width(cr, 0.025);
        cairo_move_to(cr, 0, 0.05);
        cairo_line_to(cr, 0, 0.68);
        setRgba(cr, rgb255(40, 110, 45), 0.6);
        cairo_stroke(cr);
        cairo_restore(cr);
    }
    softGlow(cr, 0, 0, 0.12, rgb255(255, 255, 200), 0.8);
}

void paintMenuCursor(Sheet& sheet) {
    // Darkening (ink) layer at (700, 240) and its additive glow at (700, 290).
    cairo_t* cr = sheet.cr;
    fillOpaqueBlack(cr, 700, 240, 50, 100);
    beginCell(cr, 700, 240, 50, 50);
    cairo_scale(cr, 24, 24);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    Rgb ink = inkTexel(rgb255(40, 70, 120));
    for (int i = 0; i < 5; ++i) {
        cairo_save(cr);
        cairo_rotate(cr, i * 2 * std::numbers::pi / 5);
        cairo_move_to(cr, 0, -0.25);
        cairo_curve_to(cr, 0.3, -0.5, 0.25, -0.85, 0, -0.95);
        cairo_curve_to(cr, -0.25, -0.85, -0.3, -0.5, 0, -0.25);
        cairo_restore(cr);
        setRgba(cr, ink, 0.45);
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 0.07);
        setRgba(cr, ink, 0.5);
        cairo_stroke(cr);
    }
    cairo_arc(cr, 0, 0, 0.16, 0, 2 * std::numbers::pi);
    setRgba(cr, inkTexel(rgb255(200, 70, 60)), 0.9);
    cairo_fill(cr);
    endCell(cr);
    beginCell(cr, 700, 290, 50, 50);
    cairo_scale(cr, 25, 25);
    softGlow(cr, 0, 0, 1.0, rgb255(255, 240, 200), 0.9);
    endCell(cr);
}

void paintMiniMapFrame(Sheet& sheet) {
    // An alpha image painted white: tinted blue as the map, yellow as the view.
    cairo_t* cr = sheet.cr;
    clearToTransparent(cr, 700, 190, 64, 48);
    cairo_save(cr);
    cairo_rectangle(cr, 700, 190, 64, 48);
    cairo_clip(cr);
    auto rounded = [cr](double x, double y, double w, double h, double r) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, x + w - r, y + r, r, -std::numbers::pi / 2, 0);
        cairo_arc(cr, x + w - r, y + h - r, r, 0, std::numbers::pi / 2);
        cairo_arc(cr, x + r, y + h - r, r, std::numbers::pi / 2, std::numbers::pi);
        cairo_arc(cr, x + r, y + r, r, std::numbers::pi, 1.5 * std::numbers::pi);
        cairo_close_path(cr);
    };
    rounded(701, 191, 62, 46, 5);
    setRgba(cr, rgb255(255, 255, 255), 0.45);
    cairo_fill(cr);
    cairo_set_line_width(cr, 2.0);
    rounded(702, 192, 60, 44, 4);
    setRgba(cr, rgb255(255, 255, 255), 1.0);
    cairo_stroke(cr);
    // Faint quarter lines, like a folded paper map.
    cairo_set_line_width(cr, 1.0);
    cairo_move_to(cr, 732.5, 194);
    cairo_line_to(cr, 732.5, 234);
    cairo_move_to(cr, 704, 214.5);
    cairo_line_to(cr, 760, 214.5);
    setRgba(cr, rgb255(255, 255, 255), 0.35);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void paintTrailParticle(Sheet& sheet) {
    // Darkening and tinted: a soft round speck.
    cairo_t* cr = sheet.cr;
    fillOpaqueBlack(cr, 770, 0, 16, 16);
    beginCell(cr, 770, 0, 16, 16);
    softGlow(cr, 0, 0, 7.8, rgb255(255, 255, 255), 0.95);
    softGlow(cr, -1, -1, 3.5, rgb255(255, 255, 255), 0.5);
    endCell(cr);
}

void paintWaveRing(Sheet& sheet) {
    // A soft ring, light on black: the game tints it and darkens the field with it.
    cairo_t* cr = sheet.cr;
    PaintRandom random = makePaintRandom(909);
    fillOpaqueBlack(cr, 400, 400, 400, 400);
    beginCell(cr, 400, 400, 400, 400);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    for (int band = 0; band < 14; ++band) {
        double r = 178 - band * 1.2;
        double width = 6 + band * 3.0;
        double alpha = 0.17 * std::exp(-band * 0.12);
        cairo_set_line_width(cr, width);
        wobblyLoop(cr, random, 0, 0, r, r, 0.012, 16);
        setRgba(cr, rgb255(255, 255, 255), alpha);
        cairo_stroke(cr);
    }
    cairo_set_line_width(cr, 3);
    wobblyLoop(cr, random, 0, 0, 186, 186, 0.008, 18);
    setRgba(cr, rgb255(255, 255, 255), 0.7);
    cairo_stroke(cr);
    softGlow(cr, 0, 0, 170, rgb255(255, 255, 255), 0.12);
    endCell(cr);
    blurArea(sheet, 400, 400, 400, 400, 2);
}

}  // namespace

bool writeElementSheets(const std::string& imgDir) {
    Sheet colour = createSheet(1024, 1024);
    Sheet glow = createSheet(1024, 1024);
    fillOpaqueBlack(glow.cr, 0, 0, 1024, 1024);
    const PicturePainter painters[8] = {paintAqua, paintLeaf,  paintFlare, paintSoil,
                                        paintMetal, paintLife, paintDream, paintClover};
    for (int i = 0; i < 8; ++i) paintObjectPicture(colour, glow, i % 2, i / 2, painters[i]);
    paintMenuCursor(colour);
    // The play cursor (141, 701) 48 x 48 is the dream's large twinkle, painted with it.
    paintMiniMapFrame(colour);
    paintTrailParticle(colour);
    paintWaveRing(glow);
    bool ok = saveSheet(colour, imgDir, "objects.png") &&
              saveSheet(glow, imgDir, "objects_monochro.png");
    destroySheet(colour);
    destroySheet(glow);
    return ok;
}

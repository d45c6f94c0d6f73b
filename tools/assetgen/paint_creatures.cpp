#include "paint_creatures.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// A wash inside the current path and a firmer rim, like a watercolour shape
// drawn with a pen line. The path is consumed.
void washAndRim(cairo_t* cr, double wash, double rim, double rimWidth) {
    setRgba(cr, lightWhite(), wash);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, rimWidth);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    setRgba(cr, lightWhite(), rim);
    cairo_stroke(cr);
}

// Lines are laid OVER (white over light never darkens), so that the round
// joints of a tapered stroke made of segments do not pile up into beads.
void line(cairo_t* cr, double x0, double y0, double x1, double y1, double width, double alpha) {
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, width);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    setRgba(cr, lightWhite(), alpha);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void curve(cairo_t* cr, double x0, double y0, double x1, double y1, double x2, double y2, double x3,
           double y3, double width, double alpha) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, width);
    cairo_move_to(cr, x0, y0);
    cairo_curve_to(cr, x1, y1, x2, y2, x3, y3);
    setRgba(cr, lightWhite(), alpha);
    cairo_stroke(cr);
}

void ellipse(cairo_t* cr, double x, double y, double rx, double ry, double turn) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, turn);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * std::numbers::pi);
    cairo_restore(cr);
}

void eye(cairo_t* cr, double x, double y, double r) {
    cairo_arc(cr, x, y, r, 0, 2 * std::numbers::pi);
    setRgba(cr, lightWhite(), 0.95);
    cairo_fill(cr);
}

}  // namespace

Rgb lightWhite() { return {1.0, 1.0, 1.0}; }

void lightLeaf(cairo_t* cr, double x, double y, double size, double turn, double alpha) {
    // Points along `turn` (radians, screen) from (x, y).
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, turn);
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, size * 0.3, -size * 0.28, size * 0.75, -size * 0.25, size, 0);
    cairo_curve_to(cr, size * 0.75, size * 0.25, size * 0.3, size * 0.28, 0, 0);
    cairo_close_path(cr);
    cairo_restore(cr);
    washAndRim(cr, alpha * 0.6, alpha, 1.4);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, turn);
    line(cr, size * 0.05, 0, size * 0.85, 0, 1.0, alpha * 0.5);
    cairo_restore(cr);
}

void lightTendril(cairo_t* cr, double x, double y, double side, double size, double alpha) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 1.6);
    cairo_move_to(cr, x, y);
    double px = x, py = y;
    for (int i = 1; i <= 30; ++i) {
        double t = i / 30.0;
        double a = t * 3.2 * std::numbers::pi;
        double r = size * (1 - t * 0.8);
        double cx = x + side * size, cy = y - size * 0.3;
        px = cx - side * r * std::cos(a);
        py = cy - r * std::sin(a);
        cairo_line_to(cr, px, py);
    }
    setRgba(cr, lightWhite(), alpha);
    cairo_stroke(cr);
}

void lightBlossom(cairo_t* cr, PaintRandom& random, double x, double y, double radius, int petals,
                  double alpha) {
    double turn = nextUnit(random) * 2 * std::numbers::pi;
    for (int i = 0; i < petals; ++i) {
        double a = turn + 2 * std::numbers::pi * i / petals;
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, a);
        cairo_move_to(cr, radius * 0.15, 0);
        cairo_curve_to(cr, radius * 0.35, -radius * 0.45, radius * 1.05, -radius * 0.42, radius, 0);
        cairo_curve_to(cr, radius * 1.05, radius * 0.42, radius * 0.35, radius * 0.45, radius * 0.15, 0);
        cairo_close_path(cr);
        cairo_restore(cr);
        washAndRim(cr, alpha * 0.35, alpha * 0.8, std::max(1.0, radius * 0.05));
    }
    cairo_arc(cr, x, y, radius * 0.22, 0, 2 * std::numbers::pi);
    setRgba(cr, lightWhite(), alpha);
    cairo_fill(cr);
}

void lightFern(cairo_t* cr, PaintRandom& random, double height) {
    (void)random;
    double px = 0, py = 0;
    for (int i = 1; i <= 24; ++i) {
        double t = i / 24.0;
        double x = 30 * std::sin(t * 1.4) - 10 * t;
        double y = -height * t;
        line(cr, px, py, x, y, 4 * (1 - t) + 1, 0.75);
        if (i >= 3 && i < 23) {
            double size = 42 * std::sin(t * std::numbers::pi) * (1 - t * 0.3);
            lightLeaf(cr, x, y, size, -std::numbers::pi / 2 - 1.1, 0.45);
            lightLeaf(cr, x, y, size * 0.9, -std::numbers::pi / 2 + 1.1, 0.45);
        }
        px = x;
        py = y;
    }
    lightTendril(cr, px, py, 1, 8, 0.8);
}

void lightTulip(cairo_t* cr, PaintRandom& random, double height) {
    (void)random;
    curve(cr, 0, 0, 4, -height * 0.3, -6, -height * 0.6, 0, -height * 0.72, 3.5, 0.8);
    // Two long leaves from the ground.
    for (int side = -1; side <= 1; side += 2) {
        cairo_move_to(cr, 0, 0);
        cairo_curve_to(cr, side * 30, -30, side * 35, -80, side * 18, -height * 0.62);
        cairo_curve_to(cr, side * 20, -70, side * 12, -25, 0, 0);
        cairo_close_path(cr);
        washAndRim(cr, 0.4, 0.75, 1.4);
    }
    // The cup of the flower.
    double top = -height * 0.72;
    cairo_move_to(cr, -24, top - 44);
    cairo_line_to(cr, -12, top - 30);
    cairo_line_to(cr, 0, top - 48);
    cairo_line_to(cr, 12, top - 30);
    cairo_line_to(cr, 24, top - 44);
    cairo_curve_to(cr, 28, top - 15, 16, top + 2, 0, top + 2);
    cairo_curve_to(cr, -16, top + 2, -28, top - 15, -24, top - 44);
    cairo_close_path(cr);
    washAndRim(cr, 0.55, 0.9, 1.8);
    curve(cr, 0, top - 2, -4, top - 20, 0, top - 35, 0, top - 46, 1.2, 0.5);
}

void lightDandelion(cairo_t* cr, PaintRandom& random, double height) {
    curve(cr, 0, 0, -8, -height * 0.3, 8, -height * 0.5, 0, -height * 0.64, 2.5, 0.8);
    for (int side = -1; side <= 1; side += 2) {
        lightLeaf(cr, 0, -2, 48, -std::numbers::pi / 2 + side * 1.15, 0.5);
    }
    double cy = -height * 0.64 - 34;
    for (int i = 0; i < 40; ++i) {
        double a = 2 * std::numbers::pi * i / 40 + nextRange(random, -0.04, 0.04);
        double r = nextRange(random, 28, 34);
        line(cr, 0, cy, r * std::cos(a), cy + r * std::sin(a), 0.8, 0.45);
        softGlow(cr, r * std::cos(a), cy + r * std::sin(a), 3.2, lightWhite(), 0.7);
    }
    cairo_arc(cr, 0, cy, 5, 0, 2 * std::numbers::pi);
    setRgba(cr, lightWhite(), 0.9);
    cairo_fill(cr);
}

void lightGrassDaisy(cairo_t* cr, PaintRandom& random, double height) {
    for (int i = 0; i < 9; ++i) {
        double lean = nextRange(random, -40, 40);
        double h = nextRange(random, 0.35, 0.6) * height;
        double x0 = nextRange(random, -12, 12);
        cairo_move_to(cr, x0 - 3, 0);
        cairo_curve_to(cr, x0, -h * 0.5, x0 + lean * 0.5, -h * 0.8, x0 + lean, -h);
        cairo_curve_to(cr, x0 + lean * 0.5 + 2, -h * 0.8, x0 + 4, -h * 0.5, x0 + 3, 0);
        cairo_close_path(cr);
        washAndRim(cr, 0.35, 0.6, 1.0);
    }
    curve(cr, 6, 0, 10, -height * 0.4, -4, -height * 0.6, 4, -height * 0.76, 2.2, 0.8);
    lightBlossom(cr, random, 4, -height * 0.76 - 14, 22, 10, 0.75);
}

void lightBellflower(cairo_t* cr, PaintRandom& random, double height) {
    (void)random;
    // An arching stem with three hanging bells.
    curve(cr, -20, 0, -25, -height * 0.7, 20, -height * 0.95, 45, -height * 0.6, 3, 0.8);
    lightLeaf(cr, -20, -10, 40, -std::numbers::pi / 2 - 0.5, 0.5);
    lightLeaf(cr, -22, -40, 34, -std::numbers::pi / 2 + 0.8, 0.5);
    const double bells[3][2] = {{-6, -height * 0.86}, {22, -height * 0.88}, {44, -height * 0.58}};
    for (int i = 0; i < 3; ++i) {
        double x = bells[i][0], y = bells[i][1] + 14;
        double s = 1.0 - i * 0.12;
        line(cr, x, y - 14, x, y - 4, 1.2, 0.7);
        cairo_move_to(cr, x - 6 * s, y - 4);
        cairo_curve_to(cr, x - 12 * s, y + 4, x - 10 * s, y + 16 * s, x - 16 * s, y + 22 * s);
        cairo_curve_to(cr, x - 5 * s, y + 18 * s, x + 5 * s, y + 18 * s, x + 16 * s, y + 22 * s);
        cairo_curve_to(cr, x + 10 * s, y + 16 * s, x + 12 * s, y + 4, x + 6 * s, y - 4);
        cairo_close_path(cr);
        washAndRim(cr, 0.5, 0.85, 1.5);
    }
}

void lightSamara(cairo_t* cr, PaintRandom& random, int wings) {
    (void)random;
    // A single wing is balanced about the cell's centre.
    if (wings == 1) cairo_translate(cr, -26, 12);
    softGlow(cr, wings == 1 ? 26 : 0, 0, 60, lightWhite(), 0.1);
    for (int w = 0; w < wings; ++w) {
        cairo_save(cr);
        cairo_rotate(cr, w == 0 ? -0.35 : std::numbers::pi - 0.6);
        // The seed at the root, the veined wing sweeping out.
        cairo_move_to(cr, -6, 0);
        cairo_curve_to(cr, 10, -22, 40, -30, 62, -18);
        cairo_curve_to(cr, 66, -6, 52, 8, 30, 8);
        cairo_curve_to(cr, 14, 8, 2, 8, -6, 0);
        cairo_close_path(cr);
        washAndRim(cr, 0.35, 0.8, 1.6);
        for (int v = 0; v < 6; ++v) {
            double t = 0.25 + v * 0.12;
            curve(cr, 0, 0, 20 * t, -10, 50 * t, -14 - 6 * t, 60 * t + 6, -18 * t + 6 * (1 - t), 0.8, 0.45);
        }
        cairo_restore(cr);
    }
    ellipse(cr, 0, 0, 11, 8, 0.3);
    washAndRim(cr, 0.85, 1.0, 1.5);
}

void lightSpiralSeed(cairo_t* cr, PaintRandom& random) {
    (void)random;
    // A seed with a curling tail, like a spiral it leaves behind.
    double px = 0, py = 0;
    for (int i = 1; i <= 50; ++i) {
        double t = i / 50.0;
        double a = t * 3.4 * std::numbers::pi;
        double r = 4 + 56 * t;
        double x = r * std::cos(a), y = r * std::sin(a);
        line(cr, px, py, x, y, 1 + 5 * (1 - t), 0.55 + 0.3 * (1 - t));
        px = x;
        py = y;
    }
    ellipse(cr, 0, 0, 13, 10, 0.4);
    washAndRim(cr, 0.8, 1.0, 1.5);
    softGlow(cr, -3, -3, 5, lightWhite(), 0.6);
}

void lightBeetle(cairo_t* cr, PaintRandom& random) {
    // A round little beetle crawling left.
    for (int i = 0; i < 3; ++i) {
        double x = -14 + i * 16;
        curve(cr, x, 12, x - 6, 30, x - 14, 34, x - 18, 44, 2, 0.7);
        curve(cr, x, -12, x - 6, -30, x - 14, -34, x - 18, -44, 2, 0.7);
    }
    ellipse(cr, -40, 0, 14, 15, 0);
    washAndRim(cr, 0.75, 0.95, 1.5);
    curve(cr, -48, -8, -60, -16, -64, -24, -62, -32, 1.4, 0.8);
    curve(cr, -48, 8, -60, 16, -64, 24, -62, 32, 1.4, 0.8);
    ellipse(cr, 6, 0, 44, 36, 0);
    washAndRim(cr, 0.45, 0.95, 2.0);
    line(cr, -36, 0, 50, 0, 1.5, 0.8);
    for (int i = 0; i < 6; ++i) {
        double x = nextRange(random, -25, 38), y = nextRange(random, -24, 24);
        if (std::fabs(y) < 5) y += y < 0 ? -8 : 8;
        cairo_arc(cr, x, y, nextRange(random, 4, 7), 0, 2 * std::numbers::pi);
        setRgba(cr, lightWhite(), 0.4);
        cairo_fill(cr);
    }
    eye(cr, -48, -6, 2.2);
    eye(cr, -48, 6, 2.2);
}

void lightTadpole(cairo_t* cr, PaintRandom& random) {
    (void)random;
    // Head left, tail waving to the right.
    cairo_move_to(cr, -22, -20);
    cairo_curve_to(cr, 10, -26, 36, 4, 68, -6);
    cairo_curve_to(cr, 40, 14, 12, 26, -22, 20);
    cairo_close_path(cr);
    washAndRim(cr, 0.25, 0.6, 1.2);
    ellipse(cr, -30, 0, 30, 26, 0);
    washAndRim(cr, 0.7, 1.0, 1.8);
    eye(cr, -44, -9, 4);
    softGlow(cr, -34, -12, 8, lightWhite(), 0.4);
}

void lightFish(cairo_t* cr, PaintRandom& random) {
    (void)random;
    cairo_move_to(cr, -62, 0);
    cairo_curve_to(cr, -40, -34, 20, -36, 40, -4);
    cairo_line_to(cr, 66, -26);
    cairo_curve_to(cr, 58, -8, 58, 8, 66, 26);
    cairo_line_to(cr, 40, 4);
    cairo_curve_to(cr, 20, 36, -40, 34, -62, 0);
    cairo_close_path(cr);
    washAndRim(cr, 0.45, 0.95, 1.8);
    // Fins, gill and scales.
    cairo_move_to(cr, -10, -26);
    cairo_curve_to(cr, 0, -44, 14, -44, 22, -24);
    cairo_close_path(cr);
    washAndRim(cr, 0.3, 0.7, 1.2);
    curve(cr, -34, -18, -28, -6, -28, 6, -34, 18, 1.6, 0.8);
    for (int i = 0; i < 3; ++i) {
        for (int j = -1; j <= 1; ++j) {
            cairo_arc(cr, -12 + i * 14, j * 11, 6, -0.5 * std::numbers::pi, 0.5 * std::numbers::pi);
            setRgba(cr, lightWhite(), 0.35);
            cairo_set_line_width(cr, 1.2);
            cairo_stroke(cr);
        }
    }
    eye(cr, -46, -5, 3.5);
}

void lightShrimp(cairo_t* cr, PaintRandom& random) {
    (void)random;
    // A curled shrimp, head left, segments arching right.
    for (int i = 0; i < 6; ++i) {
        double a = -0.9 + i * 0.4;
        double x = 10 + 36 * std::cos(a), y = 8 + 36 * std::sin(a);
        ellipse(cr, x - 20, y - 8, 15 - i, 11 - i * 0.8, a + std::numbers::pi / 2);
        washAndRim(cr, 0.4, 0.85, 1.4);
    }
    ellipse(cr, -36, -18, 20, 13, -0.3);
    washAndRim(cr, 0.6, 0.95, 1.6);
    curve(cr, -52, -22, -64, -40, -50, -54, -30, -58, 1.2, 0.75);
    curve(cr, -52, -18, -68, -28, -66, -46, -58, -60, 1.0, 0.6);
    for (int i = 0; i < 4; ++i) line(cr, -24 + i * 10, -4, -30 + i * 10, 14, 1.2, 0.6);
    eye(cr, -44, -22, 3);
}

void lightButterfly(cairo_t* cr, PaintRandom& random) {
    (void)random;
    for (int side = -1; side <= 1; side += 2) {
        cairo_move_to(cr, 0, -4);
        cairo_curve_to(cr, side * 30, -60, side * 66, -50, side * 58, -14);
        cairo_curve_to(cr, side * 52, 4, side * 20, 2, 0, 0);
        cairo_close_path(cr);
        washAndRim(cr, 0.4, 0.9, 1.8);
        cairo_move_to(cr, 0, 2);
        cairo_curve_to(cr, side * 28, 6, side * 48, 30, side * 36, 46);
        cairo_curve_to(cr, side * 24, 58, side * 6, 30, 0, 4);
        cairo_close_path(cr);
        washAndRim(cr, 0.35, 0.85, 1.6);
        softGlow(cr, side * 38, -26, 10, lightWhite(), 0.5);
        curve(cr, 0, -24, side * 4, -36, side * 10, -44, side * 16, -50, 1.2, 0.8);
    }
    ellipse(cr, 0, 0, 4, 26, 0);
    washAndRim(cr, 0.9, 1.0, 1);
}

void lightParachute(cairo_t* cr, PaintRandom& random) {
    // A dandelion seed riding its parachute.
    for (int i = 0; i < 22; ++i) {
        double a = -std::numbers::pi + std::numbers::pi * i / 21.0;
        double r = nextRange(random, 44, 52);
        double x = r * std::cos(a), y = -20 + r * 0.55 * std::sin(a);
        line(cr, 0, -14, x, y, 0.9, 0.55);
        softGlow(cr, x, y, 3, lightWhite(), 0.7);
    }
    line(cr, 0, -14, 0, 34, 1.6, 0.8);
    ellipse(cr, 0, 44, 4, 12, 0);
    washAndRim(cr, 0.85, 1.0, 1);
}

void lightEmberSeed(cairo_t* cr, PaintRandom& random) {
    // A chain link: a flame-shaped seed rising, head up, with sparks.
    cairo_move_to(cr, 0, -62);
    cairo_curve_to(cr, 22, -30, 34, 4, 28, 26);
    cairo_curve_to(cr, 22, 50, -22, 50, -28, 26);
    cairo_curve_to(cr, -34, 4, -22, -30, 0, -62);
    cairo_close_path(cr);
    washAndRim(cr, 0.4, 0.9, 2);
    cairo_move_to(cr, 0, -30);
    cairo_curve_to(cr, 12, -10, 16, 10, 12, 22);
    cairo_curve_to(cr, 8, 34, -8, 34, -12, 22);
    cairo_curve_to(cr, -16, 10, -12, -10, 0, -30);
    cairo_close_path(cr);
    washAndRim(cr, 0.6, 0.7, 1);
    for (int i = 0; i < 7; ++i) {
        double x = nextRange(random, -50, 50), y = nextRange(random, -55, 60);
        if (std::fabs(x) < 34) x += x < 0 ? -18 : 18;
        softGlow(cr, x, y, nextRange(random, 2.5, 5), lightWhite(), 0.85);
    }
}

void lightJellyfish(cairo_t* cr, PaintRandom& random) {
    // Bell to the left, tentacles trailing right.
    for (int i = 0; i < 6; ++i) {
        double y = -24 + i * 9.6;
        double wave = nextRange(random, 6, 12);
        curve(cr, -10, y, 20, y - wave, 40, y + wave, 68, y + nextRange(random, -6, 6), 1.4, 0.6);
    }
    cairo_move_to(cr, -8, -36);
    cairo_curve_to(cr, -50, -40, -66, -10, -66, 0);
    cairo_curve_to(cr, -66, 10, -50, 40, -8, 36);
    cairo_curve_to(cr, -14, 12, -14, -12, -8, -36);
    cairo_close_path(cr);
    washAndRim(cr, 0.45, 0.95, 2);
    curve(cr, -18, -28, -40, -22, -50, -10, -54, 0, 1.2, 0.5);
    softGlow(cr, -40, -12, 10, lightWhite(), 0.5);
}

void lightSquid(cairo_t* cr, PaintRandom& random) {
    (void)random;
    // Pointed mantle to the left, arms to the right.
    cairo_move_to(cr, -66, 0);
    cairo_curve_to(cr, -40, -24, -10, -22, 8, -16);
    cairo_line_to(cr, 8, 16);
    cairo_curve_to(cr, -10, 22, -40, 24, -66, 0);
    cairo_close_path(cr);
    washAndRim(cr, 0.45, 0.95, 1.8);
    cairo_move_to(cr, -66, 0);
    cairo_line_to(cr, -52, -20);
    cairo_line_to(cr, -44, 0);
    cairo_line_to(cr, -52, 20);
    cairo_close_path(cr);
    washAndRim(cr, 0.35, 0.8, 1.2);
    for (int i = 0; i < 5; ++i) {
        double y = -12 + i * 6;
        curve(cr, 8, y, 30, y * 1.5 - 6, 44, y * 2 + 6, 64, y * 2.6, 2.2 - i * 0.15, 0.75);
    }
    eye(cr, 0, -7, 3.5);
    eye(cr, 0, 7, 3.5);
}

void lightPinwheel(cairo_t* cr, PaintRandom& random) {
    (void)random;
    for (int i = 0; i < 5; ++i) {
        cairo_save(cr);
        cairo_rotate(cr, i * 2 * std::numbers::pi / 5);
        cairo_move_to(cr, 0, 0);
        cairo_curve_to(cr, 20, -10, 50, -20, 60, -6);
        cairo_curve_to(cr, 56, 10, 30, 14, 0, 0);
        cairo_close_path(cr);
        cairo_restore(cr);
        washAndRim(cr, 0.4, 0.9, 1.6);
    }
    cairo_arc(cr, 0, 0, 9, 0, 2 * std::numbers::pi);
    washAndRim(cr, 0.9, 1.0, 1);
}

void lightSnail(cairo_t* cr, PaintRandom& random) {
    (void)random;
    // Head left, shell on the back.
    cairo_move_to(cr, -64, 18);
    cairo_curve_to(cr, -62, 4, -50, -2, -40, 0);
    cairo_line_to(cr, 50, 14);
    cairo_curve_to(cr, 60, 16, 60, 28, 48, 28);
    cairo_line_to(cr, -56, 28);
    cairo_curve_to(cr, -62, 28, -64, 24, -64, 18);
    cairo_close_path(cr);
    washAndRim(cr, 0.45, 0.85, 1.6);
    curve(cr, -54, 4, -58, -10, -62, -20, -64, -28, 1.6, 0.8);
    curve(cr, -48, 2, -48, -12, -46, -22, -44, -30, 1.6, 0.8);
    eye(cr, -64, -29, 3);
    eye(cr, -44, -31, 3);
    cairo_arc(cr, 8, -10, 34, 0, 2 * std::numbers::pi);
    washAndRim(cr, 0.35, 0.95, 2);
    double px = 8, py = -10;
    for (int i = 1; i <= 40; ++i) {
        double t = i / 40.0;
        double a = -t * 2.6 * std::numbers::pi;
        double r = 30 * t;
        double x = 8 + r * std::cos(a), y = -10 + r * std::sin(a);
        line(cr, px, py, x, y, 2, 0.7);
        px = x;
        py = y;
    }
}

void lightFirefly(cairo_t* cr, PaintRandom& random) {
    (void)random;
    // Head up, a glowing tail below.
    softGlow(cr, 0, 34, 34, lightWhite(), 0.7);
    for (int side = -1; side <= 1; side += 2) {
        cairo_move_to(cr, 0, -14);
        cairo_curve_to(cr, side * 40, -40, side * 62, -4, side * 44, 14);
        cairo_curve_to(cr, side * 30, 26, side * 10, 8, 0, -6);
        cairo_close_path(cr);
        washAndRim(cr, 0.25, 0.75, 1.4);
        curve(cr, side * 3, -36, side * 8, -50, side * 14, -56, side * 20, -60, 1.2, 0.8);
    }
    ellipse(cr, 0, 8, 10, 30, 0);
    washAndRim(cr, 0.6, 0.95, 1.5);
    cairo_arc(cr, 0, -30, 8, 0, 2 * std::numbers::pi);
    washAndRim(cr, 0.75, 1.0, 1.5);
}

void lightSeedling(cairo_t* cr, PaintRandom& random, int variant) {
    // A seed with a shoot; the five differ in leaves and curl.
    ellipse(cr, 0, 34, 16, 12, 0.2);
    washAndRim(cr, 0.7, 1.0, 1.5);
    switch (variant) {
    case 0:
        curve(cr, 0, 26, -4, 6, 4, -10, 0, -22, 2.5, 0.85);
        lightLeaf(cr, 0, -20, 34, -std::numbers::pi / 2 - 0.9, 0.55);
        lightLeaf(cr, 0, -20, 34, -std::numbers::pi / 2 + 0.9, 0.55);
        break;
    case 1:
        curve(cr, 0, 26, 6, 0, -6, -16, 0, -30, 2.5, 0.85);
        for (int i = 0; i < 3; ++i) lightLeaf(cr, 0, -28, 30, -std::numbers::pi / 2 + (i - 1) * 1.0, 0.5);
        break;
    case 2:
        lightTendril(cr, 0, 26, 1, 26, 0.85);
        lightLeaf(cr, 2, 12, 26, -std::numbers::pi / 2 - 1.2, 0.5);
        break;
    case 3:
        curve(cr, 0, 26, -6, 4, 6, -16, 0, -26, 2.5, 0.85);
        lightLeaf(cr, 0, 8, 26, -std::numbers::pi / 2 + 1.2, 0.5);
        ellipse(cr, 0, -38, 10, 15, 0);
        washAndRim(cr, 0.6, 0.95, 1.4);
        break;
    default:
        curve(cr, 0, 26, 3, 6, -3, -6, 0, -14, 2.5, 0.85);
        for (int i = 0; i < 3; ++i) {
            cairo_save(cr);
            cairo_translate(cr, 0, -16);
            cairo_rotate(cr, -std::numbers::pi / 2 + (i - 1) * 2.1);
            cairo_move_to(cr, 0, 0);
            cairo_curve_to(cr, 14, -12, 30, -8, 26, 4);
            cairo_curve_to(cr, 30, 12, 12, 14, 0, 0);
            cairo_restore(cr);
            washAndRim(cr, 0.45, 0.9, 1.3);
        }
        break;
    }
    (void)random;
}

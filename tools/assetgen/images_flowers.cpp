// objects2.png and objects2_monochro.png: the five flowers, the sprout, the
// bud and the bud's overlay (tinted by what the bud ate).
#include <cmath>
#include <numbers>

#include "paint.h"
#include "paint_sheets.h"

namespace {

enum class PetalShape { Drop, Leaf, Flame, Round, Blade };

// One petal along +y (downward before rotation), from `inner` to `outer`.
void petalPath(cairo_t* cr, PetalShape shape, double inner, double outer, double width) {
    double length = outer - inner;
    double w = width / 2;
    cairo_move_to(cr, 0, inner);
    switch (shape) {
    case PetalShape::Drop:  // narrow at the heart, round at the tip
        cairo_curve_to(cr, w * 0.4, inner + length * 0.25, w * 1.3, inner + length * 0.55, w * 1.05,
                       inner + length * 0.82);
        cairo_curve_to(cr, w * 0.8, outer + length * 0.05, -w * 0.8, outer + length * 0.05, -w * 1.05,
                       inner + length * 0.82);
        cairo_curve_to(cr, -w * 1.3, inner + length * 0.55, -w * 0.4, inner + length * 0.25, 0, inner);
        break;
    case PetalShape::Leaf:  // pointed at both ends
        cairo_curve_to(cr, w * 1.2, inner + length * 0.25, w * 1.1, inner + length * 0.7, 0, outer);
        cairo_curve_to(cr, -w * 1.1, inner + length * 0.7, -w * 1.2, inner + length * 0.25, 0, inner);
        break;
    case PetalShape::Flame:  // a tongue that leans as it rises
        cairo_curve_to(cr, w * 1.3, inner + length * 0.3, w * 0.9, inner + length * 0.7, w * 0.5, outer);
        cairo_curve_to(cr, w * 0.1, inner + length * 0.75, -w * 1.2, inner + length * 0.65, -w * 1.1,
                       inner + length * 0.35);
        cairo_curve_to(cr, -w, inner + length * 0.15, -w * 0.4, inner, 0, inner);
        break;
    case PetalShape::Round:  // a broad spoon
        cairo_curve_to(cr, w * 0.9, inner + length * 0.1, w * 1.15, inner + length * 0.7, w * 0.6, outer);
        cairo_curve_to(cr, w * 0.3, outer + length * 0.08, -w * 0.3, outer + length * 0.08, -w * 0.6, outer);
        cairo_curve_to(cr, -w * 1.15, inner + length * 0.7, -w * 0.9, inner + length * 0.1, 0, inner);
        break;
    case PetalShape::Blade:  // straight-sided, faceted
        cairo_line_to(cr, w, inner + length * 0.35);
        cairo_line_to(cr, w * 0.55, inner + length * 0.85);
        cairo_line_to(cr, 0, outer);
        cairo_line_to(cr, -w * 0.55, inner + length * 0.85);
        cairo_line_to(cr, -w, inner + length * 0.35);
        break;
    }
    cairo_close_path(cr);
}

struct FlowerStyle {
    PetalShape shape;
    int petals;
    double width;
    Rgb base, tip, edge;  // petal colour at the heart and at the tip, outline
    Rgb heart, heartEdge;
    double heartRadius;
    uint32_t seed;
};

void paintFlower(cairo_t* cr, const FlowerStyle& style) {
    PaintRandom random = makePaintRandom(style.seed);
    softGlow(cr, 0, 0, 1.02, style.tip, 0.3);
    // Two rings of petals: a darker one behind, offset by half a petal.
    for (int ring = 0; ring < 2; ++ring) {
        double outer = ring == 0 ? 0.98 : 0.86;
        double darken = ring == 0 ? 0.82 : 1.0;
        for (int i = 0; i < style.petals; ++i) {
            double a = 2 * std::numbers::pi * (i + (ring == 0 ? 0.5 : 0.0)) / style.petals;
            double jitter = nextRange(random, -0.04, 0.04);
            cairo_save(cr);
            cairo_rotate(cr, a + jitter);
            petalPath(cr, style.shape, style.heartRadius * 0.5, outer + jitter, style.width);
            Rgb base = {style.base.r * darken, style.base.g * darken, style.base.b * darken};
            Rgb tip = {style.tip.r * darken, style.tip.g * darken, style.tip.b * darken};
            setLinear(cr, 0, style.heartRadius, 0, outer, base, 0.97, tip, 0.97);
            cairo_fill_preserve(cr);
            cairo_set_line_width(cr, 0.03);
            setRgba(cr, style.edge, 0.85);
            cairo_stroke(cr);
            // A pale vein down the middle of the petal.
            cairo_set_line_width(cr, 0.025);
            cairo_move_to(cr, 0, style.heartRadius * 0.9);
            cairo_line_to(cr, 0, outer * 0.8);
            setRgba(cr, mixRgb(tip, rgb255(255, 255, 255), 0.6), 0.55);
            cairo_stroke(cr);
            cairo_restore(cr);
        }
    }
    // The heart, with a ring of stamens.
    wobblyLoop(cr, random, 0, 0, style.heartRadius, style.heartRadius, 0.05, 9);
    setRadial3(cr, -style.heartRadius * 0.3, -style.heartRadius * 0.3, 0, 0, style.heartRadius,
               mixRgb(style.heart, rgb255(255, 255, 255), 0.5), 1.0, style.heart, 1.0,
               style.heartEdge, 1.0);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 0.03);
    setRgba(cr, style.heartEdge, 0.9);
    cairo_stroke(cr);
    for (int i = 0; i < 12; ++i) {
        double a = 2 * std::numbers::pi * i / 12 + 0.2;
        double r = style.heartRadius * 0.62;
        cairo_arc(cr, r * std::cos(a), r * std::sin(a), style.heartRadius * 0.09, 0, 2 * std::numbers::pi);
        setRgba(cr, style.heartEdge, 0.7);
        cairo_fill(cr);
    }
    softGlow(cr, -style.heartRadius * 0.3, -style.heartRadius * 0.35, style.heartRadius * 0.5,
             rgb255(255, 255, 255), 0.8);
}

void paintAquaFlower(cairo_t* cr) {
    paintFlower(cr, {PetalShape::Drop, 6, 0.5, rgb255(150, 210, 255), rgb255(45, 125, 225),
                     rgb255(20, 70, 160), rgb255(210, 245, 255), rgb255(60, 150, 200), 0.27, 808});
}

void paintLeafFlower(cairo_t* cr) {
    paintFlower(cr, {PetalShape::Leaf, 8, 0.36, rgb255(200, 235, 120), rgb255(55, 150, 65),
                     rgb255(25, 85, 35), rgb255(255, 225, 90), rgb255(190, 130, 30), 0.24, 909});
}

void paintFlareFlower(cairo_t* cr) {
    paintFlower(cr, {PetalShape::Flame, 7, 0.46, rgb255(255, 225, 110), rgb255(235, 65, 30),
                     rgb255(160, 30, 20), rgb255(255, 250, 200), rgb255(240, 140, 30), 0.26, 1010});
}

void paintSoilFlower(cairo_t* cr) {
    paintFlower(cr, {PetalShape::Round, 10, 0.34, rgb255(240, 200, 120), rgb255(185, 120, 55),
                     rgb255(105, 65, 30), rgb255(140, 90, 50), rgb255(70, 40, 20), 0.33, 1111});
}

void paintMetalFlower(cairo_t* cr) {
    paintFlower(cr, {PetalShape::Blade, 6, 0.5, rgb255(240, 244, 250), rgb255(150, 160, 180),
                     rgb255(60, 66, 80), rgb255(200, 205, 215), rgb255(80, 86, 100), 0.3, 1212});
}

void paintSprout(cairo_t* cr) {
    // A seed in its husk with two round seed leaves rising from it.
    softGlow(cr, 0, 0.1, 1.0, rgb255(170, 220, 120), 0.3);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 0.1);
    cairo_move_to(cr, 0, 0.45);
    cairo_curve_to(cr, -0.05, 0.1, 0.08, -0.15, 0, -0.35);
    setRgba(cr, rgb255(95, 160, 70), 0.95);
    cairo_stroke(cr);
    for (int side = -1; side <= 1; side += 2) {
        cairo_save(cr);
        cairo_translate(cr, 0, -0.35);
        cairo_rotate(cr, side * 0.95 + std::numbers::pi);
        cairo_scale(cr, 0.75, 0.62);
        cairo_move_to(cr, 0, 0);
        cairo_curve_to(cr, 0.55, 0.15, 0.6, 0.95, 0, 1.0);
        cairo_curve_to(cr, -0.6, 0.95, -0.55, 0.15, 0, 0);
        cairo_close_path(cr);
        cairo_restore(cr);
        setLinear(cr, 0, -0.9, 0, -0.3, rgb255(180, 230, 110), 0.97, rgb255(70, 160, 70), 0.97);
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 0.035);
        setRgba(cr, rgb255(35, 95, 40), 0.9);
        cairo_stroke(cr);
    }
    // The husk, split open at the top.
    cairo_save(cr);
    cairo_translate(cr, 0, 0.55);
    cairo_scale(cr, 0.5, 0.4);
    cairo_move_to(cr, -0.9, -0.5);
    cairo_curve_to(cr, -1.1, 0.4, -0.5, 1.0, 0, 1.0);
    cairo_curve_to(cr, 0.5, 1.0, 1.1, 0.4, 0.9, -0.5);
    cairo_curve_to(cr, 0.5, -0.2, 0.2, -0.45, 0, -0.25);
    cairo_curve_to(cr, -0.2, -0.45, -0.5, -0.2, -0.9, -0.5);
    cairo_close_path(cr);
    cairo_restore(cr);
    setRadial3(cr, -0.15, 0.5, 0, 0.6, 0.5, rgb255(250, 225, 170), 1.0, rgb255(215, 165, 100), 1.0,
               rgb255(160, 105, 55), 1.0);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 0.035);
    setRgba(cr, rgb255(105, 65, 30), 0.9);
    cairo_stroke(cr);
    softGlow(cr, -0.18, 0.5, 0.15, rgb255(255, 255, 255), 0.7);
}

// The bud's closed petals; the overlay fills exactly this shape.
void budPetalsPath(cairo_t* cr, int petal) {
    double lean = (petal - 1) * 0.28;
    cairo_move_to(cr, lean * 0.3, 0.55);
    cairo_curve_to(cr, lean + 0.55, 0.3, lean * 0.6 + 0.4, -0.55, lean * 0.5, -0.95);
    cairo_curve_to(cr, lean * 0.6 - 0.4, -0.55, lean - 0.55, 0.3, lean * 0.3, 0.55);
    cairo_close_path(cr);
}

void paintBud(cairo_t* cr) {
    softGlow(cr, 0, 0, 1.0, rgb255(255, 230, 240), 0.35);
    // Pale petals, so that the overlay's tint shows on them.
    for (int petal : {0, 2, 1}) {
        budPetalsPath(cr, petal);
        setLinear(cr, 0, -0.9, 0, 0.5, rgb255(255, 255, 250), 0.98, rgb255(235, 228, 215), 0.98);
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 0.035);
        setRgba(cr, rgb255(120, 110, 100), 0.85);
        cairo_stroke(cr);
    }
    // Green sepals cupping the petals, and the stalk.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 0.11);
    cairo_move_to(cr, 0, 0.6);
    cairo_curve_to(cr, 0.02, 0.75, -0.05, 0.88, 0.03, 0.98);
    setRgba(cr, rgb255(75, 140, 60), 0.95);
    cairo_stroke(cr);
    for (int side = -1; side <= 1; ++side) {
        cairo_save(cr);
        cairo_translate(cr, 0, 0.62);
        cairo_rotate(cr, side * 0.75);
        cairo_move_to(cr, 0, 0);
        cairo_curve_to(cr, 0.32, -0.1, 0.28, -0.5, 0, -0.72);
        cairo_curve_to(cr, -0.28, -0.5, -0.32, -0.1, 0, 0);
        cairo_close_path(cr);
        cairo_restore(cr);
        setLinear(cr, 0, 0.6, 0, -0.1, rgb255(60, 135, 60), 0.97, rgb255(150, 210, 100), 0.97);
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 0.03);
        setRgba(cr, rgb255(30, 85, 35), 0.9);
        cairo_stroke(cr);
    }
    softGlow(cr, -0.2, -0.45, 0.22, rgb255(255, 255, 255), 0.7);
}

// Light on black, darkening: the petals of the bud, softly, so the tint of
// what the bud ate seeps into them from the tip.
void paintBudOverlay(Sheet& glow) {
    for (const ObjectBlock& block : kObjectBlocks) {
        int x = block.left + block.side, y = block.side * 2;
        cairo_t* cr = glow.cr;
        fillOpaqueBlack(cr, x, y, block.side, block.side);
        beginCell(cr, x, y, block.side, block.side);
        cairo_scale(cr, block.side * 0.45, block.side * 0.45);
        for (int petal : {0, 2, 1}) {
            budPetalsPath(cr, petal);
            setLinear(cr, 0, -0.95, 0, 0.55, rgb255(255, 255, 255), 0.85, rgb255(255, 255, 255), 0.25);
            cairo_fill(cr);
        }
        cairo_set_line_width(cr, 0.03);
        for (int petal : {0, 2, 1}) budPetalsPath(cr, petal);
        setRgba(cr, rgb255(0, 0, 0), 0.5);
        cairo_stroke(cr);
        endCell(cr);
        blurArea(glow, x, y, block.side, block.side, block.side / 100);
    }
}

}  // namespace

bool writeFlowerSheets(const std::string& imgDir) {
    Sheet colour = createSheet(1024, 1024);
    Sheet glow = createSheet(1024, 1024);
    fillOpaqueBlack(glow.cr, 0, 0, 1024, 1024);
    struct Placed {
        int column, row;
        PicturePainter painter;
    };
    const Placed pictures[7] = {{0, 0, paintAquaFlower}, {1, 0, paintLeafFlower},
                                {0, 1, paintFlareFlower}, {1, 1, paintSoilFlower},
                                {0, 2, paintMetalFlower}, {0, 3, paintSprout},
                                {1, 3, paintBud}};
    for (const Placed& p : pictures) paintObjectPicture(colour, glow, p.column, p.row, p.painter);
    paintBudOverlay(glow);
    bool ok = saveSheet(colour, imgDir, "objects2.png") &&
              saveSheet(glow, imgDir, "objects2_monochro.png");
    destroySheet(colour);
    destroySheet(glow);
    return ok;
}

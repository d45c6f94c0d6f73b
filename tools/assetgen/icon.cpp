#include "icon.h"

#include <cmath>
#include <filesystem>
#include <numbers>

#include "paint.h"

namespace {

constexpr int kIconSide = 128;

// The five elements in the order of their cycle, as the field shows them.
const Rgb kPetalColours[5] = {
    {0.25, 0.55, 0.92},  // water
    {0.35, 0.70, 0.30},  // leaf
    {0.93, 0.42, 0.18},  // fire
    {0.62, 0.45, 0.25},  // soil
    {0.62, 0.66, 0.72},  // metal
};

void paintTile(cairo_t* cr, PaintRandom& random) {
    // A paper tile with rounded corners and a wash of moss at its foot.
    const double r = 22.0, s = kIconSide - 4.0;
    cairo_new_path(cr);
    cairo_arc(cr, 2 + s - r, 2 + r, r, -std::numbers::pi / 2, 0);
    cairo_arc(cr, 2 + s - r, 2 + s - r, r, 0, std::numbers::pi / 2);
    cairo_arc(cr, 2 + r, 2 + s - r, r, std::numbers::pi / 2, std::numbers::pi);
    cairo_arc(cr, 2 + r, 2 + r, r, std::numbers::pi, 3 * std::numbers::pi / 2);
    cairo_close_path(cr);
    setRgba(cr, rgb255(250, 246, 234), 1.0);
    cairo_fill_preserve(cr);
    cairo_clip(cr);
    watercolourWash(cr, random, 64, 112, 70, 30, rgb255(70, 130, 60), 0.45, 4);
    watercolourWash(cr, random, 40, 118, 40, 18, rgb255(45, 100, 45), 0.35, 3);
}

void paintBloom(cairo_t* cr, PaintRandom& random) {
    const double cx = 64, cy = 56;
    for (int i = 0; i < 5; ++i) {
        const double a = -std::numbers::pi / 2 + i * 2 * std::numbers::pi / 5;
        const double px = cx + 22 * std::cos(a), py = cy + 22 * std::sin(a);
        watercolourWash(cr, random, px, py, 17, 17, kPetalColours[i], 0.55, 4);
    }
    softGlow(cr, cx, cy, 20, rgb255(255, 236, 140), 0.9);
    setRgba(cr, rgb255(235, 190, 60), 0.95);
    cairo_arc(cr, cx, cy, 7, 0, 2 * std::numbers::pi);
    cairo_fill(cr);
    brushStroke(cr, cx, cy + 30, cx - 6, 118, 6, 4.0, rgb255(50, 105, 45), 0.9);
}

}  // namespace

bool writeIcon(const std::string& path) {
    Sheet sheet = createSheet(kIconSide, kIconSide);
    if (!sheetFailed(sheet)) {
        PaintRandom random = makePaintRandom(0x1C0Eu);
        paintTile(sheet.cr, random);
        cairo_reset_clip(sheet.cr);
        paintBloom(sheet.cr, random);
    }
    const std::filesystem::path target(path);
    const std::string dir = target.has_parent_path() ? target.parent_path().string() : ".";
    const bool saved = saveSheet(sheet, dir, target.filename().c_str());
    destroySheet(sheet);
    return saved;
}

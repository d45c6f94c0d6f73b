// bg_filter.png: laid over the whole field every frame, darkening. Mostly
// black (no change), with a faint paper grain and fibres, and a warm vignette
// that darkens the paper toward the corners.
#include <algorithm>
#include <cmath>

#include "paint.h"
#include "paint_sheets.h"

bool writeFilterSheet(const std::string& imgDir) {
    Sheet sheet = createSheet(640, 480);
    cairo_t* cr = sheet.cr;
    fillOpaqueBlack(cr, 0, 0, 640, 480);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    // Vignette: sepia toward the corners, nothing in the middle.
    const Rgb sepia = inkTexel(rgb255(120, 95, 60));
    cairo_pattern_t* vignette = cairo_pattern_create_radial(320, 240, 150, 320, 240, 420);
    cairo_pattern_add_color_stop_rgba(vignette, 0.0, sepia.r, sepia.g, sepia.b, 0.0);
    cairo_pattern_add_color_stop_rgba(vignette, 0.5, sepia.r, sepia.g, sepia.b, 0.06);
    cairo_pattern_add_color_stop_rgba(vignette, 1.0, sepia.r, sepia.g, sepia.b, 0.3);
    cairo_set_source(cr, vignette);
    cairo_paint(cr);
    cairo_pattern_destroy(vignette);
    // Paper fibres: long faint curls.
    PaintRandom random = makePaintRandom(4001);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < 260; ++i) {
        double x = nextRange(random, 0, 640), y = nextRange(random, 0, 480);
        double a = nextRange(random, 0, 6.283), length = nextRange(random, 6, 26);
        double bend = nextRange(random, -6, 6);
        cairo_set_line_width(cr, nextRange(random, 0.5, 1.1));
        cairo_move_to(cr, x, y);
        cairo_curve_to(cr, x + std::cos(a) * length * 0.4 - std::sin(a) * bend,
                       y + std::sin(a) * length * 0.4 + std::cos(a) * bend,
                       x + std::cos(a) * length * 0.7 - std::sin(a) * bend,
                       y + std::sin(a) * length * 0.7 + std::cos(a) * bend,
                       x + std::cos(a) * length, y + std::sin(a) * length);
        setRgba(cr, sepia, nextRange(random, 0.025, 0.06));
        cairo_stroke(cr);
    }
    // Grain: a faint speckle, a few levels deep, never more than a whisper.
    cairo_surface_flush(sheet.surface);
    unsigned char* data = cairo_image_surface_get_data(sheet.surface);
    int stride = cairo_image_surface_get_stride(sheet.surface);
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            unsigned char* p = data + y * stride + x * 4;
            int speck = static_cast<int>(nextBits(random) % 7);
            for (int c = 0; c < 3; ++c) p[c] = static_cast<unsigned char>(std::min(255, p[c] + speck));
        }
    }
    cairo_surface_mark_dirty(sheet.surface);
    bool ok = saveSheet(sheet, imgDir, "bg_filter.png");
    destroySheet(sheet);
    return ok;
}

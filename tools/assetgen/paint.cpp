#include "paint.h"

#include "font_check.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numbers>
#include <vector>

namespace {

unsigned char* pixelAt(Sheet& sheet, int x, int y) {
    unsigned char* data = cairo_image_surface_get_data(sheet.surface);
    int stride = cairo_image_surface_get_stride(sheet.surface);
    return data + y * stride + x * 4;
}

// Clips a rectangle to the sheet; false when nothing is left.
bool clipToSheet(const Sheet& sheet, int& x, int& y, int& w, int& h) {
    int x1 = std::min(x + w, sheet.width);
    int y1 = std::min(y + h, sheet.height);
    x = std::max(x, 0);
    y = std::max(y, 0);
    w = x1 - x;
    h = y1 - y;
    return w > 0 && h > 0;
}

}  // namespace

PaintRandom makePaintRandom(uint32_t seed) {
    PaintRandom random{seed ? seed : 0x9E3779B9u};
    for (int i = 0; i < 4; ++i) nextBits(random);
    return random;
}

uint32_t nextBits(PaintRandom& random) {
    uint32_t s = random.state;
    s ^= s << 13;
    s ^= s >> 17;
    s ^= s << 5;
    random.state = s;
    return s;
}

double nextUnit(PaintRandom& random) { return (nextBits(random) >> 8) / 16777216.0; }

double nextRange(PaintRandom& random, double low, double high) {
    return low + (high - low) * nextUnit(random);
}

Rgb rgb255(int r, int g, int b) { return {r / 255.0, g / 255.0, b / 255.0}; }

Rgb inkTexel(Rgb ink) { return {1.0 - ink.r, 1.0 - ink.g, 1.0 - ink.b}; }

Rgb mixRgb(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Sheet createSheet(int width, int height) {
    Sheet sheet;
    sheet.width = width;
    sheet.height = height;
    sheet.surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    sheet.cr = cairo_create(sheet.surface);
    return sheet;
}

bool sheetFailed(const Sheet& sheet) {
    return cairo_surface_status(sheet.surface) != CAIRO_STATUS_SUCCESS ||
           cairo_status(sheet.cr) != CAIRO_STATUS_SUCCESS;
}

void destroySheet(Sheet& sheet) {
    if (sheet.cr) cairo_destroy(sheet.cr);
    if (sheet.surface) cairo_surface_destroy(sheet.surface);
    sheet.cr = nullptr;
    sheet.surface = nullptr;
}

bool saveSheet(Sheet& sheet, const std::string& dir, const char* fileName) {
    std::string path = dir + "/" + fileName;
    if (sheetFailed(sheet)) {
        std::fprintf(stderr, "assetgen: cannot draw %s: %s\n", path.c_str(),
                     cairo_status_to_string(cairo_status(sheet.cr)));
        return false;
    }
    cairo_surface_flush(sheet.surface);
    std::string partPath = path + ".part";
    cairo_status_t status = cairo_surface_write_to_png(sheet.surface, partPath.c_str());
    if (status != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "assetgen: cannot write %s: %s\n", path.c_str(),
                     cairo_status_to_string(status));
        std::remove(partPath.c_str());
        return false;
    }
    if (std::rename(partPath.c_str(), path.c_str()) != 0) {
        std::fprintf(stderr, "assetgen: cannot write %s: %s\n", path.c_str(), std::strerror(errno));
        std::remove(partPath.c_str());
        return false;
    }
    return true;
}

void fillOpaqueBlack(cairo_t* cr, double x, double y, double w, double h) {
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgba(cr, 0, 0, 0, 1);
    cairo_rectangle(cr, x, y, w, h);
    cairo_fill(cr);
    cairo_restore(cr);
}

void clearToTransparent(cairo_t* cr, double x, double y, double w, double h) {
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_rectangle(cr, x, y, w, h);
    cairo_fill(cr);
    cairo_restore(cr);
}

void beginCell(cairo_t* cr, double x, double y, double w, double h) {
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    cairo_translate(cr, x + w / 2.0, y + h / 2.0);
}

void endCell(cairo_t* cr) { cairo_restore(cr); }

void setRgba(cairo_t* cr, Rgb colour, double alpha) {
    cairo_set_source_rgba(cr, colour.r, colour.g, colour.b, alpha);
}

void smoothLoop(cairo_t* cr, const double* xs, const double* ys, int count) {
    cairo_move_to(cr, xs[0], ys[0]);
    for (int i = 0; i < count; ++i) {
        int p0 = (i - 1 + count) % count, p1 = i, p2 = (i + 1) % count, p3 = (i + 2) % count;
        double c1x = xs[p1] + (xs[p2] - xs[p0]) / 6.0;
        double c1y = ys[p1] + (ys[p2] - ys[p0]) / 6.0;
        double c2x = xs[p2] - (xs[p3] - xs[p1]) / 6.0;
        double c2y = ys[p2] - (ys[p3] - ys[p1]) / 6.0;
        cairo_curve_to(cr, c1x, c1y, c2x, c2y, xs[p2], ys[p2]);
    }
    cairo_close_path(cr);
}

void wobblyLoop(cairo_t* cr, PaintRandom& random, double cx, double cy, double rx, double ry,
                double wobble, int points) {
    std::vector<double> xs(points), ys(points);
    double phase = nextUnit(random) * 2 * std::numbers::pi;
    for (int i = 0; i < points; ++i) {
        double a = phase + 2 * std::numbers::pi * i / points;
        double k = 1.0 + wobble * (nextUnit(random) * 2.0 - 1.0);
        xs[i] = cx + std::cos(a) * rx * k;
        ys[i] = cy + std::sin(a) * ry * k;
    }
    smoothLoop(cr, xs.data(), ys.data(), points);
}

void softGlow(cairo_t* cr, double cx, double cy, double r, Rgb colour, double alpha) {
    if (r <= 0) return;
    cairo_pattern_t* pattern = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
    // A gaussian-like falloff reads as light, a linear one as a disc.
    for (int i = 0; i <= 8; ++i) {
        double t = i / 8.0;
        double a = alpha * std::exp(-4.0 * t * t) * (1.0 - t * t * t * t);
        cairo_pattern_add_color_stop_rgba(pattern, t, colour.r, colour.g, colour.b, a);
    }
    cairo_set_source(cr, pattern);
    cairo_arc(cr, cx, cy, r, 0, 2 * std::numbers::pi);
    cairo_fill(cr);
    cairo_pattern_destroy(pattern);
}

void watercolourWash(cairo_t* cr, PaintRandom& random, double cx, double cy, double rx, double ry,
                     Rgb colour, double alpha, int layers) {
    for (int i = 0; i < layers; ++i) {
        double k = 1.0 - 0.1 * nextUnit(random);
        double ox = nextRange(random, -0.05, 0.05) * rx;
        double oy = nextRange(random, -0.05, 0.05) * ry;
        wobblyLoop(cr, random, cx + ox, cy + oy, rx * k, ry * k, 0.06, 11);
        setRgba(cr, colour, alpha / layers * 1.6);
        cairo_fill_preserve(cr);
        // Pigment gathers at the rim as a wash dries.
        cairo_set_line_width(cr, std::max(0.6, 0.05 * std::min(rx, ry)));
        setRgba(cr, colour, alpha / layers * 1.2);
        cairo_stroke(cr);
    }
}

void brushStroke(cairo_t* cr, double x0, double y0, double x1, double y1, double bend,
                 double width, Rgb colour, double alpha) {
    double dx = x1 - x0, dy = y1 - y0;
    double length = std::hypot(dx, dy);
    if (length <= 0) return;
    double nx = -dy / length, ny = dx / length;
    double mx = (x0 + x1) / 2 + nx * bend, my = (y0 + y1) / 2 + ny * bend;
    double hw = width / 2;
    // Outline of a lens-shaped stroke: thin ends, full width in the middle.
    cairo_move_to(cr, x0, y0);
    cairo_curve_to(cr, x0 + (mx - x0) * 0.5 + nx * hw, y0 + (my - y0) * 0.5 + ny * hw,
                   mx + nx * hw - dx * 0.15, my + ny * hw - dy * 0.15, mx + nx * hw, my + ny * hw);
    cairo_curve_to(cr, mx + nx * hw + dx * 0.15, my + ny * hw + dy * 0.15,
                   x1 + (mx - x1) * 0.5 + nx * hw, y1 + (my - y1) * 0.5 + ny * hw, x1, y1);
    cairo_curve_to(cr, x1 + (mx - x1) * 0.5 - nx * hw, y1 + (my - y1) * 0.5 - ny * hw,
                   mx - nx * hw + dx * 0.15, my - ny * hw + dy * 0.15, mx - nx * hw, my - ny * hw);
    cairo_curve_to(cr, mx - nx * hw - dx * 0.15, my - ny * hw - dy * 0.15,
                   x0 + (mx - x0) * 0.5 - nx * hw, y0 + (my - y0) * 0.5 - ny * hw, x0, y0);
    cairo_close_path(cr);
    setRgba(cr, colour, alpha);
    cairo_fill(cr);
}

double centredTextPath(cairo_t* cr, const char* text, const char* family, bool bold, bool italic,
                       double cx, double cy, double maxW, double maxH) {
    selectCheckedFont(cr, family, bold, italic);
    double size = maxH;
    cairo_text_extents_t extents;
    for (int i = 0; i < 3; ++i) {
        cairo_set_font_size(cr, size);
        cairo_text_extents(cr, text, &extents);
        double fit = std::min(maxW / std::max(extents.width, 1.0),
                              maxH / std::max(extents.height, 1.0));
        if (fit >= 0.999 && i > 0) break;
        size *= fit;
    }
    cairo_set_font_size(cr, size);
    cairo_text_extents(cr, text, &extents);
    cairo_new_path(cr);
    cairo_move_to(cr, cx - extents.x_bearing - extents.width / 2,
                  cy - extents.y_bearing - extents.height / 2);
    cairo_text_path(cr, text);
    return size;
}

void addGrain(Sheet& sheet, PaintRandom& random, int x, int y, int w, int h, double amount) {
    if (!clipToSheet(sheet, x, y, w, h)) return;
    cairo_surface_flush(sheet.surface);
    for (int row = y; row < y + h; ++row) {
        for (int col = x; col < x + w; ++col) {
            unsigned char* p = pixelAt(sheet, col, row);
            if (p[3] == 0) continue;
            double k = 1.0 + amount * (nextUnit(random) * 2.0 - 1.0);
            for (int c = 0; c < 3; ++c) {
                p[c] = static_cast<unsigned char>(std::clamp(p[c] * k, 0.0, double(p[3])));
            }
        }
    }
    cairo_surface_mark_dirty(sheet.surface);
}

void blurArea(Sheet& sheet, int x, int y, int w, int h, int radius) {
    if (radius <= 0 || !clipToSheet(sheet, x, y, w, h)) return;
    cairo_surface_flush(sheet.surface);
    std::vector<double> line(std::max(w, h) * 4), out(std::max(w, h) * 4);
    auto pass = [&](bool horizontal) {
        int lines = horizontal ? h : w, length = horizontal ? w : h;
        for (int l = 0; l < lines; ++l) {
            for (int i = 0; i < length; ++i) {
                unsigned char* p = horizontal ? pixelAt(sheet, x + i, y + l) : pixelAt(sheet, x + l, y + i);
                for (int c = 0; c < 4; ++c) line[i * 4 + c] = p[c];
            }
            for (int i = 0; i < length; ++i) {
                double sum[4] = {0, 0, 0, 0};
                int n = 0;
                for (int k = std::max(0, i - radius); k <= std::min(length - 1, i + radius); ++k, ++n) {
                    for (int c = 0; c < 4; ++c) sum[c] += line[k * 4 + c];
                }
                // Outside the rectangle counts as clear, so glows fade at its edge.
                int total = 2 * radius + 1;
                for (int c = 0; c < 4; ++c) out[i * 4 + c] = sum[c] / total;
                (void)n;
            }
            for (int i = 0; i < length; ++i) {
                unsigned char* p = horizontal ? pixelAt(sheet, x + i, y + l) : pixelAt(sheet, x + l, y + i);
                for (int c = 0; c < 4; ++c) p[c] = static_cast<unsigned char>(std::lround(out[i * 4 + c]));
            }
        }
    };
    for (int round = 0; round < 2; ++round) {
        pass(true);
        pass(false);
    }
    cairo_surface_mark_dirty(sheet.surface);
}

void coverageToLight(Sheet& sheet, int x, int y, int w, int h, double gain) {
    if (!clipToSheet(sheet, x, y, w, h)) return;
    cairo_surface_flush(sheet.surface);
    for (int row = y; row < y + h; ++row) {
        for (int col = x; col < x + w; ++col) {
            unsigned char* p = pixelAt(sheet, col, row);
            auto v = static_cast<unsigned char>(std::clamp(p[3] * gain, 0.0, 255.0));
            p[0] = p[1] = p[2] = v;
            p[3] = 255;
        }
    }
    cairo_surface_mark_dirty(sheet.surface);
}

void copyArea(const Sheet& from, int x, int y, int w, int h, Sheet& to, int dx, int dy) {
    cairo_surface_flush(from.surface);
    cairo_save(to.cr);
    cairo_set_operator(to.cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(to.cr, from.surface, dx - x, dy - y);
    cairo_rectangle(to.cr, dx, dy, w, h);
    cairo_fill(to.cr);
    cairo_restore(to.cr);
}

void paintObjectPicture(Sheet& colour, Sheet& glow, int column, int row, PicturePainter painter) {
    for (const ObjectBlock& block : kObjectBlocks) {
        int x = block.left + block.side * column;
        int y = block.side * row;
        beginCell(colour.cr, x, y, block.side, block.side);
        cairo_scale(colour.cr, block.side * 0.45, block.side * 0.45);
        painter(colour.cr);
        endCell(colour.cr);
        copyArea(colour, x, y, block.side, block.side, glow, x, y);
        blurArea(glow, x, y, block.side, block.side, std::max(1, block.side / 40));
        coverageToLight(glow, x, y, block.side, block.side, 1.0);
    }
}

void setLinear(cairo_t* cr, double x0, double y0, double x1, double y1, Rgb c0, double a0, Rgb c1,
               double a1) {
    cairo_pattern_t* pattern = cairo_pattern_create_linear(x0, y0, x1, y1);
    cairo_pattern_add_color_stop_rgba(pattern, 0, c0.r, c0.g, c0.b, a0);
    cairo_pattern_add_color_stop_rgba(pattern, 1, c1.r, c1.g, c1.b, a1);
    cairo_set_source(cr, pattern);
    cairo_pattern_destroy(pattern);
}

void setRadial3(cairo_t* cr, double fx, double fy, double cx, double cy, double r, Rgb c0,
                double a0, Rgb c1, double a1, Rgb c2, double a2) {
    cairo_pattern_t* pattern = cairo_pattern_create_radial(fx, fy, 0, cx, cy, r);
    cairo_pattern_add_color_stop_rgba(pattern, 0, c0.r, c0.g, c0.b, a0);
    cairo_pattern_add_color_stop_rgba(pattern, 0.55, c1.r, c1.g, c1.b, a1);
    cairo_pattern_add_color_stop_rgba(pattern, 1, c2.r, c2.g, c2.b, a2);
    cairo_set_source(cr, pattern);
    cairo_pattern_destroy(pattern);
}

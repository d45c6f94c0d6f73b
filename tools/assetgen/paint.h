// Small painting kit shared by the sheet painters: a fixed-seed generator,
// sheets that save themselves safely, organic shapes, washes, glows, grain
// and blur. Everything is deterministic: same input, same pixels.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>

// A private xorshift generator, so that paper grain and wobble never depend on
// rand() or the clock.
struct PaintRandom {
    uint32_t state;
};

PaintRandom makePaintRandom(uint32_t seed);
uint32_t nextBits(PaintRandom& random);
double nextUnit(PaintRandom& random);  // [0, 1)
double nextRange(PaintRandom& random, double low, double high);

struct Rgb {
    double r, g, b;
};

// The texel that a darkening cell needs so that white paper shows `ink`.
Rgb rgb255(int r, int g, int b);
Rgb inkTexel(Rgb ink);
Rgb mixRgb(Rgb a, Rgb b, double t);

struct Sheet {
    cairo_surface_t* surface = nullptr;
    cairo_t* cr = nullptr;
    int width = 0;
    int height = 0;
};

// A fully transparent ARGB sheet. Check sheetFailed before painting.
Sheet createSheet(int width, int height);
bool sheetFailed(const Sheet& sheet);
void destroySheet(Sheet& sheet);

// Writes the sheet as dir/fileName through a temporary file, so a failed write
// never leaves a half-written picture under the real name. Says why on stderr
// and returns false on failure.
bool saveSheet(Sheet& sheet, const std::string& dir, const char* fileName);

// Rectangles in sheet pixels.
void fillOpaqueBlack(cairo_t* cr, double x, double y, double w, double h);
void clearToTransparent(cairo_t* cr, double x, double y, double w, double h);

// Saves the state, clips to the cell and moves the origin to its centre.
void beginCell(cairo_t* cr, double x, double y, double w, double h);
void endCell(cairo_t* cr);

void setRgba(cairo_t* cr, Rgb colour, double alpha);

// A closed, smooth, slightly irregular loop around (cx, cy): radius r, each of
// `points` control points pushed in or out by up to wobble × r.
void wobblyLoop(cairo_t* cr, PaintRandom& random, double cx, double cy, double rx, double ry,
                double wobble, int points);
// A smooth closed curve through the given points (Catmull-Rom as Béziers).
void smoothLoop(cairo_t* cr, const double* xs, const double* ys, int count);

// A soft radial glow: full `alpha` in the middle, fading smoothly to 0 at r.
void softGlow(cairo_t* cr, double cx, double cy, double r, Rgb colour, double alpha);

// A watercolour wash: several translucent wobbly layers with pigment pooling
// at the rim.
void watercolourWash(cairo_t* cr, PaintRandom& random, double cx, double cy, double rx, double ry,
                     Rgb colour, double alpha, int layers);

// A brush stroke from (x0, y0) to (x1, y1) bowing by `bend`, tapering at both ends.
void brushStroke(cairo_t* cr, double x0, double y0, double x1, double y1, double bend,
                 double width, Rgb colour, double alpha);

// Text laid out with cairo's toy API, centred on (cx, cy), shrunk to fit in
// maxW × maxH. Leaves the outline as the current path and returns the size used.
double centredTextPath(cairo_t* cr, const char* text, const char* family, bool bold, bool italic,
                       double cx, double cy, double maxW, double maxH);

// Pixel operations on a rectangle of the sheet (sheet pixels, clipped to it).
void addGrain(Sheet& sheet, PaintRandom& random, int x, int y, int w, int h, double amount);
void blurArea(Sheet& sheet, int x, int y, int w, int h, int radius);
// Replaces the rectangle by an opaque grey picture of its own coverage: white
// where it was opaque, black where it was clear, times gain.
void coverageToLight(Sheet& sheet, int x, int y, int w, int h, double gain);
// Copies a rectangle of one sheet into another at (dx, dy).
void copyArea(const Sheet& from, int x, int y, int w, int h, Sheet& to, int dx, int dy);

// Object pictures come three times, in blocks of 200-, 100- and 50-pixel
// cells; a painter draws one picture around the origin with its visible
// radius at 1 (the cell is scaled so that radius 1 fills 90 % of it).
using PicturePainter = void (*)(cairo_t* cr);

struct ObjectBlock {
    int left;
    int side;
};
constexpr ObjectBlock kObjectBlocks[3] = {{0, 200}, {400, 100}, {600, 50}};

// Paints the picture into cell (column, row) of all three blocks of `colour`,
// and its blurred white silhouette into the same cells of `glow` (the glow of
// a charged object, added as light).
void paintObjectPicture(Sheet& colour, Sheet& glow, int column, int row, PicturePainter painter);

// Linear and radial gradients with two or three stops.
void setLinear(cairo_t* cr, double x0, double y0, double x1, double y1, Rgb c0, double a0, Rgb c1,
               double a1);
void setRadial3(cairo_t* cr, double fx, double fy, double cx, double cy, double r, Rgb c0,
                double a0, Rgb c1, double a1, Rgb c2, double a2);

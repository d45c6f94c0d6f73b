#pragma once
// Where an image's visible texels lie, so that a sprite is drawn from the part of its cell that
// can change the picture and the rasteriser fills no more than that. Built once when the image
// loads: one bit a texel for each way a texel can be blank, and a fixed table that keeps the
// visible part of every distinct cell once it was found, so that a play allocates nothing.
#include <cstdint>
#include <vector>

#include "graphics/draw_values.h"

// Which texels leave the picture exactly as it is under a blend mode.
enum class BlankTexels : uint8_t {
    None,        // none: every texel counts (Multiply darkens with a black one)
    ZeroAlpha,   // the source weighed by its alpha (Alpha, Additive): alpha 0 adds nothing
    ZeroColour,  // alpha ignored (Brighten, Screen, Darken, Invert): a black source changes nothing
};

BlankTexels blankTexelsOf(BlendMode blendMode);

// How the quad samples its cell: the nearest texel with the half-texel offset (the texels
// cell.x .. cell.x + cell.w, one past the cell), or linearly from the cell's corners (one more
// texel on each side).
enum class CellSampling : uint8_t { Nearest, Linear };

// A part of a cell in the quad's own units: offsets from the cell's top-left in texels, over
// which the texture coordinates run as they do over the whole cell. Empty when nothing in the
// cell can change the picture.
struct CellPart {
    int left, top, right, bottom;
};

inline bool partIsEmpty(CellPart part) { return part.right <= part.left || part.bottom <= part.top; }
inline CellPart wholeCell(Cell cell) { return {0, 0, cell.w, cell.h}; }

struct CachedPart {
    Cell cell = {0, 0, 0, 0};
    uint8_t kind = 0;  // 0: unused; otherwise 1 + blank * 2 + sampling
    CellPart part = {0, 0, 0, 0};
};

struct VisibleTexels {
    int width = 0, height = 0;       // the image's own size; the padding around it is blank
    int wordsPerRow = 0;
    std::vector<uint64_t> alphaRows;   // a set bit: alpha above 0
    std::vector<uint64_t> colourRows;  // a set bit: red, green or blue above 0
    std::vector<CachedPart> cache;     // found parts, open addressing; never grows
};

// Records the visible texels of an ARGB image (width * height, rows top to bottom).
void buildVisibleTexels(VisibleTexels& texels, const uint32_t* argb, int width, int height);
void clearVisibleTexels(VisibleTexels& texels);

// The part of the cell outside which every texel the quad samples is blank, with half a texel
// to spare on each side so that rounding in the rasteriser cannot reach a visible texel. The
// whole cell when blank is None or nothing was recorded; empty when the whole cell is blank.
CellPart visiblePart(VisibleTexels& texels, Cell cell, BlankTexels blank, CellSampling sampling);

#include "graphics/visible_texels.h"

#include <algorithm>

namespace {

constexpr int kCachedCells = 1024;  // distinct cells kept per sheet; any more are found anew each time
constexpr int kCacheProbes = 8;

// The first and last set bit of a row between x0 and x1 (both included); false when none is.
bool rowSpan(const uint64_t* row, int x0, int x1, int& first, int& last) {
    const int w0 = x0 >> 6, w1 = x1 >> 6;
    const uint64_t headMask = ~0ull << (x0 & 63), tailMask = ~0ull >> (63 - (x1 & 63));
    auto bitsOf = [&](int w) {
        uint64_t bits = row[w];
        if (w == w0) bits &= headMask;
        if (w == w1) bits &= tailMask;
        return bits;
    };
    int w = w0;
    while (w <= w1 && bitsOf(w) == 0) ++w;
    if (w > w1) return false;
    first = w * 64 + __builtin_ctzll(bitsOf(w));
    w = w1;
    while (bitsOf(w) == 0) --w;
    last = w * 64 + 63 - __builtin_clzll(bitsOf(w));
    return true;
}

CellPart findPart(const VisibleTexels& texels, Cell cell, BlankTexels blank, CellSampling sampling) {
    const std::vector<uint64_t>& rows = blank == BlankTexels::ZeroAlpha ? texels.alphaRows : texels.colourRows;
    // The texels the quad can sample: from one before the cell when filtered linearly, to one
    // past it either way (the half-texel offset reaches there). Outside the image all is blank.
    const long long before = sampling == CellSampling::Linear ? 1 : 0;
    const long long x0 = std::max(0LL, cell.x - before), x1 = std::min<long long>(texels.width - 1LL, 0LL + cell.x + cell.w);
    const long long y0 = std::max(0LL, cell.y - before), y1 = std::min<long long>(texels.height - 1LL, 0LL + cell.y + cell.h);
    int minX = texels.width, maxX = -1, minY = -1, maxY = -1;
    for (long long y = y0; y <= y1 && x0 <= x1; ++y) {
        int first = 0, last = 0;
        if (!rowSpan(&rows[static_cast<size_t>(y) * texels.wordsPerRow], static_cast<int>(x0), static_cast<int>(x1),
                     first, last))
            continue;
        minX = std::min(minX, first);
        maxX = std::max(maxX, last);
        if (minY < 0) minY = static_cast<int>(y);
        maxY = static_cast<int>(y);
    }
    if (maxX < 0) return {0, 0, 0, 0};
    // A texel t covers the offsets t - cell - 1/2 .. t - cell + 1/2 when sampled nearest, and
    // weighs in over t - cell - 1/2 .. t - cell + 3/2 when filtered; half a texel more on each
    // side, the ends fall on whole offsets.
    const long long after = sampling == CellSampling::Linear ? 2 : 1;
    return {static_cast<int>(std::max(0LL, minX - 1LL - cell.x)), static_cast<int>(std::max(0LL, minY - 1LL - cell.y)),
            static_cast<int>(std::min<long long>(cell.w, maxX + after - cell.x)),
            static_cast<int>(std::min<long long>(cell.h, maxY + after - cell.y))};
}

uint8_t kindOf(BlankTexels blank, CellSampling sampling) {
    return static_cast<uint8_t>(1 + static_cast<int>(blank) * 2 + static_cast<int>(sampling));
}

size_t cacheIndex(Cell cell, uint8_t kind) {
    uint32_t h = 2166136261u;
    const uint32_t words[5] = {static_cast<uint32_t>(cell.x), static_cast<uint32_t>(cell.y),
                               static_cast<uint32_t>(cell.w), static_cast<uint32_t>(cell.h), kind};
    for (uint32_t w : words) h = (h ^ w) * 16777619u;
    return (h ^ (h >> 15)) % kCachedCells;
}

bool sameCell(Cell a, Cell b) { return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h; }

}  // namespace

BlankTexels blankTexelsOf(BlendMode blendMode) {
    switch (blendMode) {
        case BlendMode::Alpha:
        case BlendMode::Additive:
            return BlankTexels::ZeroAlpha;
        case BlendMode::Brighten:
        case BlendMode::Screen:
        case BlendMode::Darken:
        case BlendMode::Invert:
            return BlankTexels::ZeroColour;
        case BlendMode::Multiply:
            return BlankTexels::None;
    }
    return BlankTexels::None;  // an unknown mode blends with whatever was set last
}

void buildVisibleTexels(VisibleTexels& texels, const uint32_t* argb, int width, int height) {
    clearVisibleTexels(texels);
    if (!argb || width <= 0 || height <= 0) return;
    texels.width = width;
    texels.height = height;
    texels.wordsPerRow = (width + 63) / 64;
    const size_t words = static_cast<size_t>(texels.wordsPerRow) * height;
    texels.alphaRows.assign(words, 0);
    texels.colourRows.assign(words, 0);
    for (int y = 0; y < height; ++y) {
        const uint32_t* row = argb + static_cast<size_t>(y) * width;
        uint64_t* alpha = &texels.alphaRows[static_cast<size_t>(y) * texels.wordsPerRow];
        uint64_t* colour = &texels.colourRows[static_cast<size_t>(y) * texels.wordsPerRow];
        for (int x = 0; x < width; ++x) {
            const uint64_t bit = 1ull << (x & 63);
            if (row[x] >> 24) alpha[x >> 6] |= bit;
            if (row[x] & 0x00FFFFFFu) colour[x >> 6] |= bit;
        }
    }
    texels.cache.assign(kCachedCells, CachedPart{});
}

void clearVisibleTexels(VisibleTexels& texels) { texels = VisibleTexels{}; }

CellPart visiblePart(VisibleTexels& texels, Cell cell, BlankTexels blank, CellSampling sampling) {
    if (blank == BlankTexels::None || texels.width == 0 || cell.w <= 0 || cell.h <= 0) return wholeCell(cell);
    const uint8_t kind = kindOf(blank, sampling);
    const size_t start = cacheIndex(cell, kind);
    for (int probe = 0; probe < kCacheProbes; ++probe) {
        CachedPart& entry = texels.cache[(start + probe) % kCachedCells];
        if (entry.kind == kind && sameCell(entry.cell, cell)) return entry.part;
        if (entry.kind == 0) {
            entry = {cell, kind, findPart(texels, cell, blank, sampling)};
            return entry.part;
        }
    }
    return findPart(texels, cell, blank, sampling);
}

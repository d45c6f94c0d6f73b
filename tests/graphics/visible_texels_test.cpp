// The visible part of a cell: which texels each blend mode can see, the texels a quad samples
// beyond its cell, and a search that holds whatever the cell, the image or the table's size.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "graphics/visible_texels.h"

namespace {

// Blank but for: (10, 5) visible every way, (20, 8) colour without alpha, (25, 3) alpha without
// colour; the image is 70 wide, so that rows span two words.
struct Sheet70 {
    static constexpr int kWidth = 70, kHeight = 16;
    std::vector<uint32_t> pixels = std::vector<uint32_t>(kWidth * kHeight, 0u);
    VisibleTexels texels;
    Sheet70() {
        at(10, 5) = 0x80FF0000u;
        at(20, 8) = 0x00123456u;
        at(25, 3) = 0x7F000000u;
        at(69, 15) = 0xFFFFFFFFu;
        buildVisibleTexels(texels, pixels.data(), kWidth, kHeight);
    }
    uint32_t& at(int x, int y) { return pixels[static_cast<size_t>(y) * kWidth + x]; }
};

void expectPart(CellPart part, CellPart expected, const char* what) {
    EXPECT_EQ(part.left, expected.left) << what;
    EXPECT_EQ(part.top, expected.top) << what;
    EXPECT_EQ(part.right, expected.right) << what;
    EXPECT_EQ(part.bottom, expected.bottom) << what;
}

TEST(VisibleTexels, EachBlendModeSeesTheTexelsThatChangeThePicture) {
    EXPECT_EQ(blankTexelsOf(BlendMode::Alpha), BlankTexels::ZeroAlpha);
    EXPECT_EQ(blankTexelsOf(BlendMode::Additive), BlankTexels::ZeroAlpha);
    for (BlendMode colourOnly : {BlendMode::Brighten, BlendMode::Screen, BlendMode::Darken, BlendMode::Invert})
        EXPECT_EQ(blankTexelsOf(colourOnly), BlankTexels::ZeroColour);
    // A black texel turns the picture black under Multiply; an unknown mode blends as set last.
    EXPECT_EQ(blankTexelsOf(BlendMode::Multiply), BlankTexels::None);
    EXPECT_EQ(blankTexelsOf(static_cast<BlendMode>(9)), BlankTexels::None);

    Sheet70 s;
    const Cell cell = {8, 0, 16, 16};
    // Half a texel to spare around (10, 5): offsets 1 .. 3 and 4 .. 6 of the cell.
    expectPart(visiblePart(s.texels, cell, BlankTexels::ZeroAlpha, CellSampling::Nearest), {1, 4, 3, 6}, "alpha");
    // By colour, (20, 8) counts too and (25, 3) is outside the cell either way.
    expectPart(visiblePart(s.texels, cell, BlankTexels::ZeroColour, CellSampling::Nearest), {1, 4, 13, 9}, "colour");
    expectPart(visiblePart(s.texels, cell, BlankTexels::None, CellSampling::Nearest), wholeCell(cell), "multiply");
    // Alpha without colour is blank to the colour modes and visible to the alpha ones.
    const Cell third = {21, 0, 8, 16};
    EXPECT_TRUE(partIsEmpty(visiblePart(s.texels, third, BlankTexels::ZeroColour, CellSampling::Nearest)));
    expectPart(visiblePart(s.texels, third, BlankTexels::ZeroAlpha, CellSampling::Nearest), {3, 2, 5, 4}, "third");
}

TEST(VisibleTexels, QuadsSampleOnePastTheCellAndFilteringOneMoreOnEachSide) {
    Sheet70 s;
    // Nearest: the half-texel offset reaches texel x + w, so (10, 5) shows at the far edge of a
    // cell that ends at 10, and not in one that starts at 11.
    expectPart(visiblePart(s.texels, {2, 2, 8, 8}, BlankTexels::ZeroAlpha, CellSampling::Nearest), {7, 2, 8, 4},
               "one past");
    EXPECT_TRUE(partIsEmpty(visiblePart(s.texels, {11, 0, 8, 8}, BlankTexels::ZeroAlpha, CellSampling::Nearest)));
    // Linear: texel 10 weighs in on a cell from 11 (its first pixels lean on it), and on one
    // that ends at 10; it stays out of a cell from 12.
    expectPart(visiblePart(s.texels, {11, 0, 8, 8}, BlankTexels::ZeroAlpha, CellSampling::Linear), {0, 4, 1, 7},
               "linear, before");
    expectPart(visiblePart(s.texels, {2, 0, 8, 8}, BlankTexels::ZeroAlpha, CellSampling::Linear), {7, 4, 8, 7},
               "linear, past");
    EXPECT_TRUE(partIsEmpty(visiblePart(s.texels, {12, 0, 8, 8}, BlankTexels::ZeroAlpha, CellSampling::Linear)));
    // The image's corner texel in a cell that runs off the image; cells wholly outside are blank.
    expectPart(visiblePart(s.texels, {64, 10, 16, 16}, BlankTexels::ZeroAlpha, CellSampling::Nearest), {4, 4, 6, 6},
               "corner");
    EXPECT_TRUE(partIsEmpty(visiblePart(s.texels, {-40, 0, 30, 16}, BlankTexels::ZeroAlpha, CellSampling::Nearest)));
    EXPECT_TRUE(partIsEmpty(visiblePart(s.texels, {0, 17, 70, 9}, BlankTexels::ZeroAlpha, CellSampling::Linear)));
    // A cell without area, or a sheet never recorded, is drawn whole.
    expectPart(visiblePart(s.texels, {5, 5, 0, 4}, BlankTexels::ZeroAlpha, CellSampling::Nearest), {0, 0, 0, 4},
               "no width");
    VisibleTexels none;
    expectPart(visiblePart(none, {5, 5, 8, 4}, BlankTexels::ZeroAlpha, CellSampling::Nearest), {0, 0, 8, 4}, "none");
}

// Whether the texel at (x, y) counts for the blank kind; outside the image nothing does.
bool visibleTexel(const std::vector<uint32_t>& image, int width, int height, int x, int y, BlankTexels blank) {
    if (x < 0 || y < 0 || x >= width || y >= height) return false;
    const uint32_t p = image[static_cast<size_t>(y) * width + x];
    return blank == BlankTexels::ZeroAlpha ? (p >> 24) != 0 : (p & 0xFFFFFFu) != 0;
}

// Along one axis: every visible texel sampled by the cell lies half a texel or more inside the
// part's cut edges (an edge at the cell's own is no cut), and each cut edge has a visible texel
// right inside it, so nothing visible is cut away and nothing blank is kept beyond the spare.
void expectAxis(int cellStart, int cells, int partStart, int partEnd, int firstVisible, int lastVisible,
                CellSampling sampling, const char* axis) {
    const int reach = sampling == CellSampling::Linear ? 2 : 1;
    if (partStart > 0) {
        EXPECT_EQ(partStart, firstVisible - cellStart - 1) << axis;
    }
    if (partEnd < cells) {
        EXPECT_EQ(partEnd, lastVisible - cellStart + reach) << axis;
    }
    EXPECT_LE(partStart, std::max(0, firstVisible - cellStart - 1)) << axis;
    EXPECT_GE(partEnd, std::min(cells, lastVisible - cellStart + reach)) << axis;
}

TEST(VisibleTexels, ManyCellsOfARandomSheetAgreeWithALookAtEveryTexel) {
    constexpr int kWidth = 200, kHeight = 90;
    std::vector<uint32_t> image(kWidth * kHeight, 0u);
    uint32_t state = 12345u;
    auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    };
    // Sparse specks of four kinds, so that parts come out of every size.
    for (int i = 0; i < 150; ++i) {
        const uint32_t kinds[4] = {0xFF808080u, 0x00102030u, 0x40000000u, 0x01000001u};
        image[next() % image.size()] = kinds[next() % 4];
    }
    VisibleTexels texels;
    buildVisibleTexels(texels, image.data(), kWidth, kHeight);
    // More distinct cells than the table keeps, each asked twice, so that both found and kept
    // parts are checked.
    for (int round = 0; round < 2; ++round) {
        uint32_t cellState = 99u;
        for (int i = 0; i < 3000; ++i) {
            cellState = cellState * 1103515245u + 12345u;
            const Cell cell = {static_cast<int>(cellState % 230) - 20, static_cast<int>((cellState >> 8) % 110) - 20,
                               1 + static_cast<int>((cellState >> 16) % 60), 1 + static_cast<int>((cellState >> 22) % 40)};
            const BlankTexels blank = (cellState >> 30) % 2 ? BlankTexels::ZeroAlpha : BlankTexels::ZeroColour;
            const CellSampling sampling = (cellState >> 29) % 2 ? CellSampling::Linear : CellSampling::Nearest;
            const CellPart part = visiblePart(texels, cell, blank, sampling);
            const int before = sampling == CellSampling::Linear ? 1 : 0;
            int minX = 1 << 20, maxX = -(1 << 20), minY = 1 << 20, maxY = -(1 << 20);
            for (int y = cell.y - before; y <= cell.y + cell.h; ++y)
                for (int x = cell.x - before; x <= cell.x + cell.w; ++x)
                    if (visibleTexel(image, kWidth, kHeight, x, y, blank)) {
                        minX = std::min(minX, x), maxX = std::max(maxX, x);
                        minY = std::min(minY, y), maxY = std::max(maxY, y);
                    }
            SCOPED_TRACE(::testing::Message() << "cell " << cell.x << ", " << cell.y << ", " << cell.w << " x "
                                              << cell.h << " round " << round);
            if (maxX < minX) {
                EXPECT_TRUE(partIsEmpty(part));
                continue;
            }
            ASSERT_FALSE(partIsEmpty(part));
            EXPECT_GE(part.left, 0);
            EXPECT_GE(part.top, 0);
            EXPECT_LE(part.right, cell.w);
            EXPECT_LE(part.bottom, cell.h);
            expectAxis(cell.x, cell.w, part.left, part.right, minX, maxX, sampling, "x");
            expectAxis(cell.y, cell.h, part.top, part.bottom, minY, maxY, sampling, "y");
        }
    }
}

}  // namespace

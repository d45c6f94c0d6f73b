// The pictures the asset tool draws, read back from the archives beside the game, checked for
// what the game's cells, tints and blend modes make of them on screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "support/asset_archive.h"
#include "graphics/graphics_device.h"
#include "graphics/png_image.h"

namespace {

DecodedImage loadSheet(const char* name) {
    AssetArchive archive;
    constructAssetArchive(archive, kArchiveKey);
    const std::string path = std::string(MOSSBLOOM_GAME_DIR) + "/img/" + name + ".png.bnd";
    std::vector<uint8_t> plain;
    DecodedImage image;
    EXPECT_TRUE(unscrambleIntoMemory(archive, path.c_str(), plain)) << path;
    EXPECT_TRUE(decodePng(plain.data(), plain.size(), image)) << path;
    applyColourKey(image);
    return image;
}

struct Texel {
    int a, r, g, b;
};

Texel at(const DecodedImage& image, int x, int y) {
    const uint32_t p = image.pixels[static_cast<size_t>(y) * image.width + x];
    return {static_cast<int>(p >> 24), static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF),
            static_cast<int>(p & 0xFF)};
}

// True when the game draws nothing from the pixel: transparent, or opaque black (the colour key
// makes it transparent, and black adds no light and takes none away).
bool blank(const DecodedImage& image, int x, int y) {
    const Texel t = at(image, x, y);
    return t.a == 0 || (t.r == 0 && t.g == 0 && t.b == 0);
}

// Nothing a player could see: at most 4 of 255 in any channel, or in alpha.
bool faint(const DecodedImage& image, int x, int y) {
    const Texel t = at(image, x, y);
    return t.a <= 4 || std::max({t.r, t.g, t.b}) <= 4;
}

// The pixels on the border of a cell that are not faint.
int visibleOnBorder(const DecodedImage& image, int x, int y, int w, int h) {
    int visible = 0;
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            if (i == x || j == y || i == x + w - 1 || j == y + h - 1) visible += faint(image, i, j) ? 0 : 1;
    return visible;
}

int drawnPixels(const DecodedImage& image, int x, int y, int w, int h) {
    int n = 0;
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) n += blank(image, i, j) ? 0 : 1;
    return n;
}

struct Rect {
    int x, y, w, h;
};

TEST(SheetArt, PicturesCutBesideTheFontKeepTheirWordsWhollyInTheDrawnPart) {
    const DecodedImage logo = loadSheet("logo");
    // The second title caption is drawn from (0, 180) 350 x 80, TIME UP from (454, 180) 336 x 64:
    // words that ran to the cut would be cut off on screen.
    for (const Rect& part : {Rect{0, 180, kFontLeft, 80}, Rect{kFontRight, 180, 790 - kFontRight, 64}}) {
        SCOPED_TRACE(part.x);
        EXPECT_EQ(visibleOnBorder(logo, part.x, part.y, part.w, part.h), 0);
        EXPECT_GT(drawnPixels(logo, part.x, part.y, part.w, part.h), 3000) << "the words are there";
    }
}

TEST(SheetArt, PicturesSharingCellsFadeOutBeforeTheirBorders) {
    // The play cursor is drawn from inside the large dream's cell, and the menu buttons slide over
    // a moving picture: a picture reaching its cell's border would show a square edge.
    const DecodedImage objects = loadSheet("objects");
    EXPECT_EQ(visibleOnBorder(objects, 141, 701, 48, 48), 0) << "the play cursor";
    EXPECT_GT(drawnPixels(objects, 141, 701, 48, 48), 600);
    const DecodedImage logo = loadSheet("logo");
    const Rect buttons[7] = {{0, 430, 240, 50}, {0, 480, 240, 50}, {0, 530, 125, 50}, {0, 580, 155, 50},
                             {0, 630, 155, 50}, {0, 680, 170, 50}, {0, 730, 84, 50}};
    for (const Rect& b : buttons) {
        for (int layer = 0; layer < 2; ++layer) {
            SCOPED_TRACE(b.y + layer);
            EXPECT_EQ(visibleOnBorder(logo, b.x + 250 * layer, b.y, b.w, b.h), 0);
        }
    }
}

TEST(SheetArt, TheWaterGaugeLeavesTheAquaLabelClear) {
    // The gauge strips are drawn from x 225 on the screen and the label AQUA ends at x 230: the
    // first 7 columns of the frame's strip and of the fill's strip carry nothing.
    const DecodedImage logo = loadSheet("logo");
    EXPECT_EQ(drawnPixels(logo, 130, 400, 7, 30), 0) << "frame";
    EXPECT_EQ(drawnPixels(logo, 300, 400, 7, 30), 0) << "fill";
    EXPECT_GT(drawnPixels(logo, 130, 400, 170, 30), 1000);
    EXPECT_GT(drawnPixels(logo, 300, 400, 170, 30), 1000);
}

TEST(SheetArt, TheInformationPageLeavesRoomForTheCreditLaidOverIt) {
    // The page (500, 430) 500 x 100 is centred at (320, 210), the credit at (440, 260) 170 x 34:
    // the credit covers the page from its column 285 and its row 83.
    const DecodedImage logo = loadSheet("logo");
    EXPECT_EQ(drawnPixels(logo, 500 + 285, 430 + 83, 170, 17), 0);
    EXPECT_GT(drawnPixels(logo, 500, 430, 500, 100), 5000);
}

// The mean colour of a cell's picture drawn with the given vertex colour, weighted by coverage.
struct Mean {
    double r, g, b;
};
Mean tintedMean(const DecodedImage& image, Rect cell, int tr, int tg, int tb) {
    double r = 0, g = 0, b = 0, weight = 0;
    for (int j = cell.y; j < cell.y + cell.h; ++j)
        for (int i = cell.x; i < cell.x + cell.w; ++i) {
            const Texel t = at(image, i, j);
            const double a = t.a / 255.0;
            r += a * t.r * tr / 255.0, g += a * t.g * tg / 255.0, b += a * t.b * tb / 255.0;
            weight += a;
        }
    return {r / weight, g / weight, b / weight};
}

TEST(SheetArt, SoilIsAnEarthColourOnTheFieldDryAndSoakedAndInTheHud) {
    const DecodedImage objects = loadSheet("objects");
    // Soil is tinted (100, absorbed + 50, 2 x absorbed), absorbed 0 to 100.
    for (const Rect& cell : {Rect{200, 200, 200, 200}, Rect{500, 100, 100, 100}, Rect{650, 50, 50, 50}}) {
        for (int absorbed : {0, 50, 100}) {
            SCOPED_TRACE(cell.x * 1000 + absorbed);
            const Mean m = tintedMean(objects, cell, 100, absorbed + 50, 2 * absorbed);
            EXPECT_GT(m.r, m.g * 1.02) << "red leads";
            EXPECT_GT(m.g, m.b * 1.2) << "and blue stays low: soaked soil is no blue-grey";
        }
    }
    // The HUD tints its soil icon (230, 150, 150); it must come out brown, not pink.
    const DecodedImage logo = loadSheet("logo");
    const Mean icon = tintedMean(logo, {260 + 12 * 3, 165, 12, 12}, 230, 150, 150);
    EXPECT_GT(icon.r, icon.g * 1.3);
    EXPECT_GT(icon.g, icon.b * 1.3);
}

// Pixels that come out dark when the cell is drawn alpha-blended with the given tint over the
// light band (grey 225) that marks the third most common kind.
int darkOnTheBand(const DecodedImage& image, Rect cell, int tr, int tg, int tb) {
    int dark = 0;
    for (int j = cell.y; j < cell.y + cell.h; ++j)
        for (int i = cell.x; i < cell.x + cell.w; ++i) {
            const Texel t = at(image, i, j);
            const double a = t.a / 255.0;
            const double r = a * t.r * tr / 255.0 + (1 - a) * 225;
            const double g = a * t.g * tg / 255.0 + (1 - a) * 225;
            const double b = a * t.b * tb / 255.0 + (1 - a) * 225;
            dark += (0.3 * r + 0.59 * g + 0.11 * b < 110) ? 1 : 0;
        }
    return dark;
}

TEST(SheetArt, KindIconsAndCountersReadOnTheHighlightBandInEveryKindsColour) {
    const DecodedImage logo = loadSheet("logo");
    const int colours[7][3] = {{100, 230, 250}, {100, 250, 100}, {250, 100, 100}, {230, 150, 150},
                               {230, 230, 230}, {250, 100, 250}, {250, 250, 100}};
    for (int kind = 0; kind < 7; ++kind) {
        const int* c = colours[kind];
        SCOPED_TRACE(kind);
        EXPECT_GE(darkOnTheBand(logo, {260 + 12 * kind, 165, 12, 12}, c[0], c[1], c[2]), 20) << "icon";
        for (int digit = 0; digit < 10; ++digit)
            EXPECT_GE(darkOnTheBand(logo, {260 + 8 * digit, 150, 8, 12}, c[0], c[1], c[2]), 14) << digit;
    }
}

TEST(SheetArt, TheTitlesThreeOsAreAlike) {
    // Letters 1, 6 and 7 of the title row: the O's, in cells 27, 55 and 31 wide.
    const DecodedImage logo = loadSheet("logo");
    std::vector<int> widths;
    for (const auto& [left, right] : {std::pair{72, 99}, {337, 392}, {392, 423}}) {
        int first = right, last = left - 1;
        for (int x = left; x < right; ++x)
            for (int y = 40; y < 110; ++y)
                if (!blank(logo, x, y) && std::max({at(logo, x, y).r, at(logo, x, y).g, at(logo, x, y).b}) > 128) first = std::min(first, x), last = std::max(last, x);
        widths.push_back(last - first + 1);
    }
    const auto [narrowest, widest] = std::minmax_element(widths.begin(), widths.end());
    EXPECT_LE(*widest - *narrowest, 2) << widths[0] << ", " << widths[1] << ", " << widths[2];
}

TEST(SheetArt, EveryMenuLabelIsLetteredAboutAsTallAsTheOthers) {
    // The ink of a label's capitals (the deep ink, not the pale wash round it) in the ink layer.
    const DecodedImage logo = loadSheet("logo");
    std::vector<int> tallest;
    for (int y0 : {430, 480, 530, 580, 630, 680, 730}) {
        int best = 0, run = 0;
        for (int y = y0; y < y0 + 50; ++y) {
            bool ink = false;
            for (int x = 0; x < 240 && !ink; ++x) ink = !blank(logo, x, y) && at(logo, x, y).r > 215;
            run = ink ? run + 1 : 0;
            best = std::max(best, run);
        }
        tallest.push_back(best);
    }
    const int most = *std::max_element(tallest.begin(), tallest.end());
    for (size_t i = 0; i < tallest.size(); ++i) EXPECT_GE(tallest[i] * 10, most * 6) << "button " << i;
}

}  // namespace

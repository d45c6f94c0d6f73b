#include "graphics_test_support.h"

using namespace graphics_test;

namespace {

constexpr int kSheetSize = 1024;

class TextTest : public DeviceTest {
protected:
    void SetUp() override {
        DeviceTest::SetUp();
        installTexture(device, 5, kSheetSize, kSheetSize);
    }
    testsupport::SeenQuad seen(size_t i) const { return testsupport::readQuad(draws().at(i), device, kSheetSize); }
    std::vector<int> cellsX() const {
        std::vector<int> cells;
        for (size_t i = 0; i < draws().size(); ++i) cells.push_back(seen(i).cellX);
        return cells;
    }
};

}  // namespace

TEST_F(TextTest, GlyphsSitOnAFixedEightPixelPitch) {
    drawText(device, "AB", 10, 20, 1, 1, 255, 255, 255, 255);
    ASSERT_EQ(draws().size(), 2u);
    EXPECT_FLOAT_EQ(seen(0).centreX, 14);
    EXPECT_FLOAT_EQ(seen(0).centreY, 26);
    EXPECT_EQ(seen(0).cellX, 350);
    EXPECT_EQ(seen(0).cellY, 150);
    EXPECT_FLOAT_EQ(seen(1).centreX, 22);
    EXPECT_EQ(seen(1).cellX, 358);
    EXPECT_EQ(draws()[0].blend.destination, platform::BlendFactor::InvSrcAlpha);

    // The pitch does not grow with the scale.
    platform::headless::clearVideoRecord();
    drawText(device, "AB", 10, 20, 2, 2, 255, 255, 255, 255);
    EXPECT_FLOAT_EQ(seen(1).centreX, 22);
    EXPECT_FLOAT_EQ(draws()[1].vertices[1].x - draws()[1].vertices[0].x, 16);
}

TEST_F(TextTest, LowerCaseSymbolsAndDigitsHaveTheirOwnGlyphs) {
    drawText(device, "azN=0", 0, 0, 1, 1, 255, 255, 255, 255);
    ASSERT_EQ(draws().size(), 5u);
    // a = 26, z = 51, N = 13, '=' = 77, '0' = 78; 13 glyphs a row.
    EXPECT_EQ(seen(0).cellX, 350);
    EXPECT_EQ(seen(0).cellY, 174);
    EXPECT_EQ(seen(1).cellX, 446);
    EXPECT_EQ(seen(1).cellY, 186);
    EXPECT_EQ(seen(2).cellX, 350);
    EXPECT_EQ(seen(2).cellY, 162);
    EXPECT_EQ(seen(3).cellX, 446);
    EXPECT_EQ(seen(3).cellY, 210);
    EXPECT_EQ(seen(4).cellX, 350);
    EXPECT_EQ(seen(4).cellY, 222);
}

TEST_F(TextTest, SpacesAndUnknownBytesAdvanceWithoutDrawing) {
    drawText(device, "A B~\xE9\x01" "C", 0, 0, 1, 1, 255, 255, 255, 255);
    ASSERT_EQ(draws().size(), 3u);
    EXPECT_FLOAT_EQ(seen(0).centreX, 4);
    EXPECT_FLOAT_EQ(seen(1).centreX, 20);
    EXPECT_FLOAT_EQ(seen(2).centreX, 52);
    EXPECT_EQ(glyphIndex(','), 53);
    EXPECT_EQ(glyphIndex('/'), 76);
    EXPECT_EQ(glyphIndex(' '), -1);
}

TEST_F(TextTest, AlphaFadesTheColourTowardBlack) {
    drawText(device, "A", 0, 0, 1, 1, 128, 255, 200, 10);
    drawText(device, "A", 0, 0, 1, 1, 0, 255, 255, 255);
    ASSERT_EQ(draws().size(), 2u);
    // 255 x 128/255 = 128, 200 x 128/255 = 100.39 -> 100, 10 x 128/255 = 5.02 -> 5
    EXPECT_EQ(draws()[0].vertices[0].colour, 0xFF806405u);
    EXPECT_EQ(draws()[1].vertices[0].colour, 0xFF000000u);
}

TEST_F(TextTest, SignedNumberPutsTheMinusCellFirst) {
    drawNumber(device, -12, BlendMode::Darken, false, 100, 50, Sheet::Interface, {500, 0, 30, 40}, 1, 1, {9, 9, 9});
    EXPECT_EQ(cellsX(), (std::vector<int>{800, 530, 560}));
    EXPECT_FLOAT_EQ(seen(0).centreX, 115);
    EXPECT_FLOAT_EQ(seen(2).centreX, 175);
    EXPECT_FLOAT_EQ(seen(0).centreY, 70);

    platform::headless::clearVideoRecord();
    drawNumber(device, 0, BlendMode::Darken, false, 100, 50, Sheet::Interface, {500, 0, 30, 40}, 1, 1, {9, 9, 9});
    EXPECT_EQ(cellsX(), (std::vector<int>{500}));

    // The most negative value still has a magnitude to show.
    platform::headless::clearVideoRecord();
    drawNumber(device, INT32_MIN, BlendMode::Darken, false, 0, 0, Sheet::Interface, {500, 0, 30, 40}, 1, 1, {9, 9, 9});
    EXPECT_EQ(cellsX(), (std::vector<int>{800, 560, 530, 620, 710, 620, 740, 590, 680, 620, 740}));
}

TEST_F(TextTest, RightAlignedNumberEndsAtXAtAnyScale) {
    for (float scale : {1.0f, 2.0f}) {
        platform::headless::clearVideoRecord();
        drawNumber(device, 345, BlendMode::Darken, true, 455, 75, Sheet::Interface, {500, 105, 15, 20}, scale, scale,
                   {255, 255, 255});
        ASSERT_EQ(draws().size(), 3u);
        EXPECT_EQ(cellsX(), (std::vector<int>{545, 560, 575}));
        EXPECT_FLOAT_EQ(draws()[2].vertices[1].x, 455);
        EXPECT_FLOAT_EQ(draws()[0].vertices[0].x, 455 - 45 * scale);
        EXPECT_FLOAT_EQ(draws()[0].vertices[0].y, 75);
    }
}

TEST_F(TextTest, SmallNumbersClampToTheirDigitCount) {
    drawSmallNumber(device, 3, BlendMode::Darken, 1234, 100, 50, 1, 1);
    EXPECT_EQ(cellsX(), (std::vector<int>{635, 635, 635}));
    platform::headless::clearVideoRecord();
    drawSmallNumber(device, 3, BlendMode::Darken, 7, 100, 50, 2, 2);
    EXPECT_EQ(cellsX(), (std::vector<int>{500, 500, 605}));
    EXPECT_FLOAT_EQ(seen(1).centreX, 130);
    EXPECT_FLOAT_EQ(seen(2).centreY, 50);
    platform::headless::clearVideoRecord();
    drawSmallNumber(device, 3, BlendMode::Darken, -5, 100, 50, 1, 1);
    EXPECT_EQ(cellsX(), (std::vector<int>{500, 500, 500}));
}

TEST_F(TextTest, FixedWidthAlphaNumberDrawsLeadingZerosFromTheTopLeft) {
    drawNumberAlpha(device, 3, 30, Sheet::Interface, 362, 16, {260, 150, 8, 12}, 1, 1, 255, {185, 185, 185});
    ASSERT_EQ(draws().size(), 3u);
    std::vector<int> cells;
    for (const DrawCall& call : draws()) cells.push_back(static_cast<int>(std::lround(call.vertices[0].u * 1024)));
    EXPECT_EQ(cells, (std::vector<int>{260, 284, 260}));
    EXPECT_FLOAT_EQ(draws()[1].vertices[0].x, 369.5f);
    EXPECT_EQ(draws()[0].filter, platform::Filter::Linear);
    // Asking for more digits than the scratch holds draws at most its 32.
    platform::headless::clearVideoRecord();
    drawNumberAlpha(device, 40, 5, Sheet::Interface, 0, 0, {260, 150, 8, 12}, 1, 1, 255, {255, 255, 255});
    EXPECT_EQ(draws().size(), 32u);
}

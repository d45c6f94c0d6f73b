// The bitmap font shares the interface sheet with pictures whose cells reach into it. A whole run
// of the game on the recording platform (loading, title, menus, information page, plays of every
// mode with their openings, hints, HUD, combo, ending, and the closing) must draw the font's cells
// for text only; and the overlay's notes must stay clear of the HUD they are drawn over.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "app/app.h"
#include "app/hud.h"
#include "app/scenes.h"
#include "app_fixture.h"
#include "platform/headless/headless.h"
#include "platform/keys.h"
#include "test_support/recording_drawing.h"

namespace {

namespace hl = platform::headless;
using namespace platform;

constexpr int kSheet = testsupport::kSheetSize;

struct Box {
    float left, top, right, bottom;
};

bool overlaps(const Box& a, const Box& b) {
    constexpr float kSlack = 1e-3f;
    return a.left < b.right - kSlack && b.left < a.right - kSlack && a.top < b.bottom - kSlack &&
           b.top < a.bottom - kSlack;
}

Box screenBox(const hl::DrawCall& call) {
    Box b{1e9f, 1e9f, -1e9f, -1e9f};
    for (int i = 0; i < call.count; ++i) {
        b.left = std::min(b.left, call.vertices[i].x), b.right = std::max(b.right, call.vertices[i].x);
        b.top = std::min(b.top, call.vertices[i].y), b.bottom = std::max(b.bottom, call.vertices[i].y);
    }
    return b;
}

// The texels a draw samples, in sheet pixels. Sprites carry half-texel coordinates; the smoothed
// alpha sprites address texel edges.
Box sampledCell(const hl::DrawCall& call) {
    Box b{1e9f, 1e9f, -1e9f, -1e9f};
    const float shift = call.filter == Filter::Nearest ? 0.5f : 0.0f;
    for (int i = 0; i < call.count; ++i) {
        b.left = std::min(b.left, call.vertices[i].u * kSheet - shift);
        b.right = std::max(b.right, call.vertices[i].u * kSheet - shift);
        b.top = std::min(b.top, call.vertices[i].v * kSheet - shift);
        b.bottom = std::max(b.bottom, call.vertices[i].v * kSheet - shift);
    }
    return b;
}

const Box kFontBlock{static_cast<float>(kFontLeft), static_cast<float>(kFontTop), static_cast<float>(kFontRight),
                     static_cast<float>(kFontBottom)};

// drawText's own draw: one whole glyph cell of the font, alpha blended, nearest sampling.
bool isGlyphDraw(const hl::DrawCall& call) {
    if (call.filter != Filter::Nearest || call.blend.source != BlendFactor::SrcAlpha ||
        call.blend.destination != BlendFactor::InvSrcAlpha)
        return false;
    const Box cell = sampledCell(call);
    const int x = static_cast<int>(std::lround(cell.left)), y = static_cast<int>(std::lround(cell.top));
    const int column = (x - kFontLeft) / kGlyphWidth, row = (y - kFontTop) / kGlyphHeight;
    return std::lround(cell.right - cell.left) == kGlyphWidth && std::lround(cell.bottom - cell.top) == kGlyphHeight &&
           x >= kFontLeft && y >= kFontTop && (x - kFontLeft) % kGlyphWidth == 0 &&
           (y - kFontTop) % kGlyphHeight == 0 && row * kGlyphsPerRow + column < kGlyphCount;
}

class FontCellsTest : public apptest::AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        startApp();
        testsupport::installWhiteSheets(app->renderer.drawing.device);
        hl::releaseAllKeys();
        hl::setCursor(320, 470);
    }

    int sheetHandle() const { return app->renderer.drawing.device.textures[slotOf(Sheet::Interface)].handle; }

    // Runs a frame and checks every draw it made from the interface sheet.
    void frame(const char* where) {
        hl::clearVideoRecord();
        runFrame(*app);
        for (const hl::DrawCall& call : hl::videoRecord().draws) {
            if (call.texture != sheetHandle()) continue;
            if (isGlyphDraw(call)) {
                ++glyphs;
                continue;
            }
            ++pictures;
            const Box cell = sampledCell(call);
            if (overlaps(cell, kFontBlock)) {
                ADD_FAILURE() << where << ", frame " << app->sceneFrame << ": a picture samples (" << cell.left
                              << ", " << cell.top << ") to (" << cell.right << ", " << cell.bottom
                              << "), which reaches into the font";
            }
        }
    }
    void frames(const char* where, int n) {
        for (int i = 0; i < n; ++i) frame(where);
    }
    void frameWithKeys(const char* where, std::initializer_list<int> keys, int n = 1) {
        for (int i = 0; i < n; ++i) {
            holdKeys(keys);
            frame(where);
        }
        hl::releaseAllKeys();
    }
    void click(const char* where, int x, int y) {
        hl::setCursor(x, y);
        frame(where);
        hl::setMouseButton(0, true);
        frame(where);
        hl::setMouseButton(0, false);
        frame(where);
    }
    // A play of the mode behind a menu button, shown from its opening through its hints, the HUD's
    // keys, a combo and the paused and muted overlay, to its ending and the title that follows.
    void play(const char* mode, int buttonX, int buttonY) {
        frames(mode, 25);  // the menu's buttons slide in
        click(mode, buttonX, buttonY);
        ASSERT_EQ(app->scene, &scenePlay) << mode;
        hl::setCursor(320, 240);
        frames(mode, 1000);  // three idle hints, 4, 15 and 26 seconds in
        EXPECT_EQ(app->world.hintStage, 3) << mode;
        frameWithKeys(mode, {DIK_C}, 20);
        frameWithKeys(mode, {DIK_X});
        frames(mode, 12);
        frameWithKeys(mode, {DIK_X});
        frameWithKeys(mode, {DIK_A}, 25);
        frameWithKeys(mode, {DIK_Z}, 25);
        frameWithKeys(mode, {DIK_SPACE});
        app->world.comboTimer = 90;
        app->world.comboCount = 12;
        app->world.lastDreamPoints = 4321;
        frames(mode, 95);
        frameWithKeys(mode, {DIK_F3});
        frameWithKeys(mode, {DIK_RETURN});
        frames(mode, 5);
        frameWithKeys(mode, {DIK_RETURN});
        frameWithKeys(mode, {DIK_F3});
        app->world.timeLeftMs = 50;
        app->world.unlimitedTime = false;
        frames(mode, 170);  // TIME UP over its band, the fade to white, back to the title
        EXPECT_EQ(app->scene, &sceneTitle) << mode;
        click(mode, 320, 240);
        ASSERT_EQ(app->scene, &sceneMenu) << mode;
    }

    int glyphs = 0, pictures = 0;
};

TEST_F(FontCellsTest, NoPictureOfAWholeRunDrawsFromTheFontsCells) {
    for (int i = 0; i < 200 && app->scene != &sceneTitle; ++i) frame("loading");
    ASSERT_EQ(app->scene, &sceneTitle);
    frames("title", 260);
    ASSERT_EQ(app->scene, &sceneMenu) << "the title gives way by itself";
    frames("menu", 25);
    for (const auto& [x, y] : {std::pair{180, 250}, {190, 300}, {160, 350}, {160, 400}, {560, 50}, {530, 370}}) {
        hl::setCursor(x, y);
        frames("menu, hovering a button", 3);
    }
    click("menu", 160, 400);
    ASSERT_EQ(app->scene, &sceneInfo);
    frames("information page", 12);
    click("information page", 570, 440);
    ASSERT_EQ(app->scene, &sceneMenu);
    frames("menu", 25);
    click("menu", 530, 370);
    ASSERT_EQ(app->scene, &sceneInfo);
    frames("information page", 12);
    click("information page", 570, 440);

    play("NORMAL", 180, 250);
    play("CLOVER", 190, 300);
    play("ENDLESS", 160, 350);

    frames("menu", 25);
    click("menu", 560, 50);
    ASSERT_EQ(app->scene, &sceneExit);
    for (int i = 0; i < 200 && !app->quitRequested; ++i) frame("closing");
    EXPECT_TRUE(app->quitRequested);
    // The run drew pictures and text from the sheet, so the check had something to look at.
    EXPECT_GT(pictures, 10000);
    EXPECT_GT(glyphs, 10000);
}

// Where a HUD or overlay draw puts ink: a font glyph in columns 1 to 6 and rows 1 to 11 of its
// 8 x 12 cell (with its shadow), a text-size digit in columns 0 to 6 (with its rim), a small digit
// inside a 1-pixel margin of its 15 x 20 cell; any other picture anywhere in its box.
Box inkBox(const hl::DrawCall& call) {
    Box b = screenBox(call);
    const Box cell = sampledCell(call);
    const long w = std::lround(cell.right - cell.left), h = std::lround(cell.bottom - cell.top);
    if (w == kGlyphWidth && h == kGlyphHeight) {
        b.left += isGlyphDraw(call) ? 1 : 0;
        b.right -= 1;
        b.top += 1;
    } else if (w == 15 && h == 20) {
        b.left += 1;
        b.right -= 1;
    }
    return b;
}

TEST_F(FontCellsTest, TheOverlaysNotesStayClearOfTheHudsLabelsAndNumbers) {
    hl::clearVideoRecord();
    const int32_t counts[kHudKinds] = {999, 1000, 10000, 5, 12, 345, 6};
    drawHud(app->renderer, 99999999, 99, counts, 555, 179990, 5000, 4, 12345);
    std::vector<Box> hud;
    for (const hl::DrawCall& call : hl::videoRecord().draws)
        if (call.texture == sheetHandle()) hud.push_back(inkBox(call));
    ASSERT_FALSE(hud.empty());

    // The notes are what the overlay draws beyond its frame-rate reading.
    hl::clearVideoRecord();
    drawDebugOverlay(*app);
    const std::vector<hl::DrawCall> plain = hl::videoRecord().draws;
    app->sound.muted = true;
    app->skipCounter = kSkipFrames;
    hl::clearVideoRecord();
    drawDebugOverlay(*app);
    int notes = 0;
    for (const hl::DrawCall& call : hl::videoRecord().draws) {
        const bool inPlain = std::any_of(plain.begin(), plain.end(), [&](const hl::DrawCall& p) {
            return p.texture == call.texture && std::equal(p.vertices, p.vertices + 4, call.vertices,
                                                           [](const Vertex& a, const Vertex& b) {
                                                               return a.x == b.x && a.y == b.y && a.u == b.u;
                                                           });
        });
        if (inPlain || call.texture != sheetHandle()) continue;
        ++notes;
        const Box note = inkBox(call);
        for (const Box& h : hud)
            EXPECT_FALSE(overlaps(note, h)) << "a note glyph at (" << note.left << ", " << note.top
                                            << ") covers the HUD at (" << h.left << ", " << h.top << ")";
    }
    EXPECT_EQ(notes, 4 + 9) << "MUTE and FRAME SKIP";
}

}  // namespace

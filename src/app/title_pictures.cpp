#include "app/title_pictures.h"

#include "graphics/draw_context.h"
#include "world/effects.h"

namespace {

constexpr int kPictureOrder = 1000;
constexpr int kSecondCaptionWidth = kFontLeft;  // columns 0 .. 349 of its 370

// Every payload starts with the zooming picture's scale root at 1 and everything else at 0.
EffectPayload blankPayload() {
    EffectPayload p;
    p.scaleBase = 1.0f;
    return p;
}

void setCell(EffectPayload& p, Sheet sheet, Cell cell) {
    p.texture = slotOf(sheet);
    p.cellX = cell.x;
    p.cellY = cell.y;
    p.cellW = cell.w;
    p.cellH = cell.h;
}

void setColour(EffectPayload& p, int red, int green, int blue) {
    p.red = red;
    p.green = green;
    p.blue = blue;
}

void setScales(EffectPayload& p, float scale) {
    p.scaleX = scale;
    p.scaleY = scale;
}

EffectPayload screenFade(int grey, int length) {
    EffectPayload p = blankPayload();
    setColour(p, grey, grey, grey);
    p.length = length;
    return p;
}

// ---- Title ------------------------------------------------------------------------------

void queueSlideInGlow(DrawContext& r, int delay, float x, float y, float scale) {
    EffectPayload p = blankPayload();
    p.x = x;
    p.y = y;
    setScales(p, scale);
    queueEffect(r.backTasks, kPictureOrder, slideInGlow, delay, p);
}

void queueCaptionFlash(DrawContext& r, int delay, float x, float y, int red, int green, int blue, int length,
                       float scale) {
    EffectPayload p = blankPayload();
    p.x = x;
    p.y = y;
    setCell(p, Sheet::Interface, {0, 260, 370, 80});
    setColour(p, red, green, blue);
    p.length = length;
    setScales(p, scale);
    queueEffect(r.frontTasks, kPictureOrder, pictureFadeOut, delay, p);
}

// Forty plants that settle at screen x u, lower and larger the greater their root H.
void queueScatteredPictures(DrawContext& r) {
    MathTables& m = r.effectsRandom;
    for (int i = 0; i < 40; ++i) {
        const float h = randomFloat(m, 0.6f) + 0.45f;
        const PrimaryColour colour = randomPrimary(m, 200);
        const int k = static_cast<int>(randomInt(m, 5));
        const float u = randomFloat(m, 640.0f);
        EffectPayload p = blankPayload();
        setCell(p, Sheet::Effect, {150 * k, 500, 150, 200});
        p.x = (u - 320.0f) / (h * h);
        p.y = 200.0f * h;
        p.scaleBase = h;
        setScales(p, 1.0f);
        setColour(p, colour.red, colour.green, colour.blue);
        queueEffect(r.backTasks, kPictureOrder, zoomingPicture, 170, p);
    }
}

constexpr int kLetterEdges[10] = {0, 72, 99, 144, 204, 274, 337, 392, 423, 500};

void queueTitleLetters(DrawContext& r) {
    for (int i = 0; i < 9; ++i) {
        const int left = kLetterEdges[i];
        const int width = kLetterEdges[i + 1] - left;
        // A short pause after the fourth letter.
        const int delay = (i < 4 ? 195 : 198) + 3 * i;
        EffectPayload p = blankPayload();
        setCell(p, Sheet::Interface, {left, 0, width, 150});
        p.x = static_cast<float>(left - 250 + width / 2);
        p.y = -80.0f;
        setScales(p, 1.0f);
        setColour(p, 255, 255, 255);
        queueEffect(r.backTasks, kPictureOrder, zoomingPicture, delay, p);
    }
}

void drawTallPictures(DrawContext& r, int f) {
    GraphicsDevice& d = r.device;
    const float k = (f >= 91 && f <= 110) ? 1.8f * static_cast<float>((f - 90) * (f - 90)) : 0.0f;
    if (f <= 10) {
        // Falls in from above.
        const float x = static_cast<float>(10 * f);
        const float y = static_cast<float>(500 / (11 - f) - 250);
        drawSprite(d, Sheet::Effect, BlendMode::Darken, x, y, {0, 0, 200, 500}, 1.0f, 1.0f, 0, {255, 0, 255});
    } else if (f <= 110) {
        drawSprite(d, Sheet::Effect, BlendMode::Darken, k + 100.0f, 230.0f, {0, 0, 200, 500}, 1.0f, 1.0f, 0,
                   {255, 0, 255});
    }
    if (f <= 110) {
        drawSprite(d, Sheet::Effect, BlendMode::Additive, k - 60.0f, 250.0f, {0, 0, 200, 500}, 1.2f, 1.2f, -185,
                   {255, 255, 255});
    }
}

void drawCaptions(DrawContext& r, int f) {
    GraphicsDevice& d = r.device;
    if (f >= 40 && f <= 59) {
        const int c = f <= 49 ? 25 * f - 1000 : 1500 - 25 * f;
        drawSprite(d, Sheet::Interface, BlendMode::Darken, 320.0f, 240.0f, {0, 260, 370, 80}, 1.0f, 1.0f, 0, {c, c, c});
    }
    // The second caption blinks twice, then swells and fades.
    if (f >= 50 && f <= 109 && f != 70 && f != 72) {
        float scale = 1.0f;
        int c = 255;
        if (f <= 59) {
            c = 25 * f - 1250;
        } else if (f >= 101) {
            scale = static_cast<float>((f - 100) * (f - 100)) / 50.0f + 1.0f;
            c = 2750 - 25 * f;
        }
        // Its cell (0, 180) 370 x 80 reaches into the bitmap font; the words lie in the part left of
        // the font, drawn where the whole cell would have put them.
        const float x = partCentreX(320.0f, 0, 370, 0, kSecondCaptionWidth, scale);
        drawSprite(d, Sheet::Interface, BlendMode::Darken, x, 240.0f, {0, 180, kSecondCaptionWidth, 80}, scale, scale,
                   0, {c, c, c});
    }
}

// Bubbles rising along a diagonal that moves with the frame.
void queueBubbles(DrawContext& r, int f) {
    MathTables& m = r.effectsRandom;
    for (int i = 0; i < 2; ++i) {
        const float s = randomFloat(m, 1.0f) + 0.5f;
        const int j = static_cast<int>(randomInt(m, 280));
        const int u = static_cast<int>(randomInt(m, 640));
        const int b = 10 * f - 700;
        EffectPayload p = blankPayload();
        p.x = static_cast<float>(u + b - 200);
        p.y = static_cast<float>(300 - b + j);
        setCell(p, Sheet::Effect, {200, 200, 100, 100});
        setColour(p, 0, 80, 150);
        p.length = 8;
        setScales(p, s);
        queueEffect(r.backTasks, kPictureOrder, pictureFadeOut, 0, p);
    }
}

// Seeds flying up and to the left.
void queueRisingSeed(DrawContext& r) {
    MathTables& m = r.effectsRandom;
    const int a = static_cast<int>(randomInt(m, 60)) + 100;
    const float s = randomFloat(m, 1.0f) + 0.5f;
    const float v = randomFloat(m, 40.0f) + 20.0f;
    const int c = static_cast<int>(randomInt(m, 3));
    const int u = static_cast<int>(randomInt(m, 440));
    EffectPayload p = blankPayload();
    p.x = static_cast<float>(u + 400);
    p.y = 600.0f;
    setScales(p, s);
    setCell(p, Sheet::Effect, {150 * c + 400, a - 110, 150, 150});
    setColour(p, 155, 155, 100);
    p.dx = tableCos(m, a) * v;
    p.dy = tableSin(m, a) * v;
    queueEffect(r.backTasks, kPictureOrder, acceleratingPicture, 0, p);
}

// Creatures and blossoms of every colour floating up from the bottom.
void queueFloatingBlossom(DrawContext& r) {
    MathTables& m = r.effectsRandom;
    const int a = static_cast<int>(randomInt(m, 360));
    const float s = randomFloat(m, 1.5f) + 1.0f;
    const int n = static_cast<int>(randomInt(m, 12));
    const int blue = static_cast<int>(randomInt(m, 100));
    const int green = static_cast<int>(randomInt(m, 100));
    const int red = static_cast<int>(randomInt(m, 100));
    EffectPayload p = blankPayload();
    p.x = randomFloat(m, 840.0f) - 100.0f;
    p.y = 680.0f;
    setScales(p, s);
    setCell(p, Sheet::Effect, {150 * (n % 4) + 400, 150 * (n / 4), 150, 150});
    p.angle = a;
    setColour(p, red, green, blue);
    p.dx = randomFloat(m, 2.0f) - 1.0f;
    p.dy = -18.0f * s;
    queueEffect(r.backTasks, kPictureOrder, acceleratingPicture, 0, p);
}

struct RisingPicture {
    int delay;
    float x, y;
    int cellX;
    float scale;
    int grey;
    float dy;
};

constexpr RisingPicture kRisingPictures[6] = {
    {0, 150, 200, 0, 1.0f, 255, -4},   {0, 150, 250, 0, 2.0f, 100, -8},
    {20, 490, 280, 300, 1.0f, 255, -4}, {20, 490, 330, 300, 2.0f, 100, -8},
    {40, 320, 360, 600, 1.0f, 255, -4}, {40, 320, 410, 600, 2.0f, 100, -8},
};

void queueLargePictures(DrawContext& r) {
    for (const RisingPicture& pic : kRisingPictures) {
        EffectPayload p = blankPayload();
        p.x = pic.x;
        p.y = pic.y;
        setCell(p, Sheet::Effect, {pic.cellX, 700, 300, 300});
        setScales(p, pic.scale);
        setColour(p, pic.grey, pic.grey, pic.grey);
        p.length = 30;
        p.dx = 0.0f;
        p.dy = pic.dy;
        queueEffect(r.backTasks, kPictureOrder, movingPictureFadeOut, pic.delay, p);
    }
}

// Green and yellow creatures sweeping in from the right.
void queueSweepingCreature(DrawContext& r) {
    MathTables& m = r.effectsRandom;
    const float s = randomFloat(m, 0.7f) + 0.7f;
    const int green = static_cast<int>(randomInt(m, 50));
    const int red = static_cast<int>(randomInt(m, 100));
    const int c = static_cast<int>(randomInt(m, 3));
    const int y0 = static_cast<int>(randomInt(m, 200));
    EffectPayload p = blankPayload();
    p.x = 840.0f;
    p.y = static_cast<float>(y0 + 50);
    setScales(p, s);
    setCell(p, Sheet::Effect, {150 * c + 400, 150, 150, 150});
    setColour(p, red, green, 0);
    p.dx = -25.0f * s;
    p.dy = randomFloat(m, 2.0f) - 1.0f;
    queueEffect(r.backTasks, kPictureOrder, acceleratingPicture, 0, p);
}

// The "CLICK" prompt pulses through a 20-frame cycle of greys.
void drawClickPrompt(DrawContext& r, int f) {
    const int m = ((30 - 11 * (f % 20)) % 256 + 256) % 256;
    drawSprite(r.device, Sheet::Interface, BlendMode::Darken, 574.0f, 15.0f, {0, 390, 130, 25}, 1.0f, 1.0f, 0,
               {m, m, m});
}

// ---- Menu -------------------------------------------------------------------------------

// One drifting plant; the draws are u, the colour, then the picture.
void queueDriftingPicture(DrawContext& r, const int32_t& followY, bool fromRight) {
    MathTables& m = r.effectsRandom;
    const float u = randomFloat(m, 1.0f);
    const PrimaryColour colour = randomPrimary(m, 120);
    const float s = u * u + 0.2f;
    const int k = static_cast<int>(randomInt(m, 5));
    const float x = fromRight ? 715.0f : randomFloat(m, 640.0f);
    EffectPayload p = blankPayload();
    p.x = x;
    p.y = 250.0f * s + 150.0f;
    setCell(p, Sheet::Effect, {150 * k, 500, 150, 200});
    setScales(p, s);
    setColour(p, colour.red, colour.green, colour.blue);
    p.followY = &followY;
    queueEffect(r.backTasks, kPictureOrder, driftingPicture, 0, p);
}

}  // namespace

void setupTitlePicture(DrawContext& r) {
    clearTasks(r.backTasks);
    clearTasks(r.frontTasks);
    r.viewOffset = {0.0f, 0.0f};
    r.zoom = 1.0f;
    queueSlideInGlow(r, 17, 270.0f, 150.0f, 0.6f);
    queueSlideInGlow(r, 22, 220.0f, 290.0f, 0.4f);
    queueSlideInGlow(r, 27, 180.0f, 390.0f, 0.3f);
    queueCaptionFlash(r, 70, 120.0f, 300.0f, 180, 180, 180, 3, 3.0f);
    // The two late flashes are olive: they darken the paper toward blue.
    queueCaptionFlash(r, 93, 550.0f, 100.0f, 100, 100, 0, 4, 2.0f);
    queueCaptionFlash(r, 97, 550.0f, 100.0f, 100, 100, 0, 4, 2.0f);
    queueScatteredPictures(r);
    queueTitleLetters(r);
    // The screen darkens over frames 248 to 255, when the menu takes over.
    queueEffect(r.frontTasks, 0, fadeInDarken, 247, screenFade(255, 8));
}

void drawTitlePicture(DrawContext& r, uint32_t frame) {
    // Scene frames wrap only after years; anything past the title's end draws like a late frame.
    const int f = frame > 100000u ? 100000 : static_cast<int>(frame);
    drawTallPictures(r, f);
    drawCaptions(r, f);
    if (f >= 70 && f <= 109) queueBubbles(r, f);
    if (f >= 75 && f <= 104) queueRisingSeed(r);
    if (f >= 105 && f <= 154) queueFloatingBlossom(r);
    if (f == 110) {
        queueLargePictures(r);
    } else if (f >= 165 && f <= 189) {
        queueSweepingCreature(r);
    }
    drawClickPrompt(r, f);
}

void setupMenuPicture(DrawContext& r, const int32_t& followY) {
    clearTasks(r.backTasks);
    clearTasks(r.frontTasks);
    // The menu fades in from black.
    queueEffect(r.frontTasks, 0, fadeOutDarken, 0, screenFade(255, 8));
    for (int i = 0; i < 90; ++i) queueDriftingPicture(r, followY, false);
}

void drawMenuPicture(DrawContext& r, uint32_t f, const int32_t& followY) {
    GraphicsDevice& d = r.device;
    drawSprite(d, Sheet::Interface, BlendMode::Darken, 320.0f, 160.0f, {0, 0, 500, 150}, 1.0f, 1.0f, 0,
               {255, 255, 255});
    drawSprite(d, Sheet::Interface, BlendMode::Darken, 560.0f, 220.0f, {800, 125, 90, 20}, 1.0f, 1.0f, 0,
               {250, 70, 250});
    // The tall plant hangs mirrored from the top.
    drawSprite(d, Sheet::Effect, BlendMode::Darken, 40.0f, 250.0f, {0, 0, 200, 500}, 1.0f, -1.1f, 0, {0, 0, 255});
    drawSprite(d, Sheet::Interface, BlendMode::Darken, 320.0f, 440.0f, {0, 150, 260, 30}, 1.0f, 1.0f, 0,
               {255, 255, 255});
    if (f % 2 == 0) queueDriftingPicture(r, followY, true);
    // A shade at the top that moves with the mouse.
    drawGradientRect(d, BlendMode::Darken, 0.0f, static_cast<float>(-(followY / 15)), 640, 200, {60, 30, 0},
                     {60, 30, 0}, {0, 0, 0}, {0, 0, 0});
}

void setupClosingPicture(DrawContext& r) {
    queueEffect(r.frontTasks, 0, fadeOutAdditive, 0, screenFade(255, 8));
    EffectPayload words = blankPayload();
    words.x = 320.0f;
    words.y = 280.0f;
    setCell(words, Sheet::Interface, {370, 310, 470, 64});
    setScales(words, 1.0f);
    queueEffect(r.frontTasks, 3000, glowingPicture, 0, words);
    EffectPayload band = blankPayload();
    band.x = 0.0f;
    band.y = 210.0f;
    band.cellW = 640;
    band.cellH = 140;
    setScales(band, 1.0f);
    queueEffect(r.frontTasks, 4000, glowingBand, 15, band);
    // The screen whitens until the program ends.
    queueEffect(r.frontTasks, 0, fadeInAdditive, 100, screenFade(255, 51));
}

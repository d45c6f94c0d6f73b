#include "app/hud.h"

#include "app/renderer.h"
#include "graphics/graphics_device.h"
#include "support/math_tables.h"

const int32_t kKindColourRed[kHudKinds] = {100, 100, 250, 230, 230, 250, 250};
const int32_t kKindColourGreen[kHudKinds] = {230, 250, 100, 150, 230, 100, 250};
const int32_t kKindColourBlue[kHudKinds] = {250, 100, 100, 150, 230, 250, 100};

namespace {

// The text-size digits of the interface sheet.
constexpr int kTextDigitX = 260, kTextDigitY = 150, kTextDigitW = 8, kTextDigitH = 12;

void whiteText(GraphicsDevice& d, const char* text, float x, float y) {
    drawText(d, text, x, y, 1.0f, 1.0f, 255, 255, 255, 255);
}

void textDigits(GraphicsDevice& d, int digits, int32_t value, float x, float y, int r, int g, int b) {
    drawNumberAlpha(d, digits, value, Sheet::Interface, x, y, {kTextDigitX, kTextDigitY, kTextDigitW, kTextDigitH},
                    1.0f, 1.0f, 255, {r, g, b});
}

// Advances the slide one step toward hidden or shown; true while something of the HUD shows.
bool advanceSlide(Renderer& r) {
    if (r.hudHidden) {
        if (r.hudSlide < kHudSlideSteps) r.hudSlide += 1;
    } else if (r.hudSlide > 0) {
        r.hudSlide -= 1;
    }
    return r.hudSlide != kHudSlideSteps;
}

// Numbers in two layers: ink darkening the strip, then light 2 pixels up and to the left.
struct Layer {
    BlendMode blend;
    float offset;
};
constexpr Layer kLayers[2] = {{BlendMode::Darken, 2.0f}, {BlendMode::Additive, 0.0f}};

void drawScore(GraphicsDevice& d, int32_t score, int32_t scoreCarry, float s) {
    for (const Layer& layer : kLayers) {
        const float y = 13.0f - s + layer.offset;
        drawSmallNumber(d, 2, layer.blend, scoreCarry, 137.0f + layer.offset, y, 1.0f, 1.0f);
        drawSmallNumber(d, 8, layer.blend, score, 167.0f + layer.offset, y, 1.0f, 1.0f);
    }
}

void drawKindCounters(GraphicsDevice& d, const int32_t counts[kHudKinds], int32_t highlightKind, float s) {
    for (int j = 0; j < kHudKinds; ++j) {
        float x = 410.0f + 60.0f * static_cast<float>(j % 3);
        float y = 3.0f + 13.0f * static_cast<float>(j / 3) - s;
        if (j == 6) {
            x = 590.0f;
            y = 3.0f - s;
        }
        const int red = kKindColourRed[j], green = kKindColourGreen[j], blue = kKindColourBlue[j];
        if (j == highlightKind) drawRect(d, BlendMode::Additive, x - 5.0f, y, 41, 12, {100, 100, 100}, true);
        drawSprite(d, Sheet::Interface, BlendMode::Alpha, x, y + 6.0f, {260 + 12 * j, 165, 12, 12}, 1.0f, 1.0f, 0,
                   {red, green, blue});
        textDigits(d, kindCountDigits(counts[j]), counts[j], x + 10.0f, y, red, green, blue);
    }
}

// Hundredths flicker by 0..30 ms while the clock runs; at 0 and at the endless hold it is steady.
int32_t flickeredClock(Renderer& r, int32_t timeMs) {
    if (timeMs < 1 || timeMs > kHudLastRunningMs) return timeMs;
    const uint32_t roll = nextRandom(r.drawing.effectsRandom);
    return timeMs + static_cast<int32_t>(10u * (roll % 4u));
}

void drawClock(GraphicsDevice& d, int32_t ms, float s) {
    const int32_t minutes = ms / 60000, seconds = (ms / 1000) % 60, hundredths = (ms % 1000) / 10;
    for (const Layer& layer : kLayers) {
        const float t = layer.offset;
        const float y = 463.0f + s + t;
        drawSmallNumber(d, 2, layer.blend, minutes, 47.0f + t, y, 1.0f, 1.0f);
        drawSprite(d, Sheet::Interface, layer.blend, 77.0f + t, y, {650, 105, 15, 20}, 1.0f, 1.0f, 0, {255, 255, 255});
        drawSmallNumber(d, 2, layer.blend, seconds, 92.0f + t, y, 1.0f, 1.0f);
        drawSprite(d, Sheet::Interface, layer.blend, 122.0f + t, y, {650, 105, 15, 20}, 1.0f, 1.0f, 0, {255, 255, 255});
        drawSmallNumber(d, 2, layer.blend, hundredths, 137.0f + t, y, 1.0f, 1.0f);
    }
}

void drawWaterGauge(GraphicsDevice& d, int32_t aquaReserve, float s) {
    const float x = 225.0f, y = 450.0f + s;
    drawCellStrip(d, BlendMode::Darken, x, y, 130, 170, 1.0f, 1.0f, 255, 255);
    if (aquaReserve <= 0) return;
    const int width = static_cast<int>(static_cast<float>(aquaReserve) / 10000.0f * 170.0f);
    drawCellStrip(d, BlendMode::Additive, x, y, 300, width, 1.0f, 1.0f, 0, 100);
    drawCellStrip(d, BlendMode::Additive, x, y, 130, width, 1.0f, 1.0f, 255, 255);
}

}  // namespace

int kindCountDigits(int32_t count) {
    if (count <= 999) return 3;
    if (count <= 9999) return 4;
    return 5;
}

void drawHud(Renderer& r, int32_t score, int32_t scoreCarry, const int32_t countsByKind[kHudKinds],
             int32_t objectCount, int32_t timeMs, int32_t aquaReserve, int32_t highlightKind,
             int32_t dreamsCollected) {
    if (!advanceSlide(r)) return;
    GraphicsDevice& d = r.drawing.device;
    const float s = static_cast<float>(r.hudSlide * r.hudSlide / 3);

    drawRect(d, BlendMode::Darken, 0.0f, -s, 640, 30, {130, 130, 130}, true);
    whiteText(d, "SCORE", 85.0f, 3.0f - s);
    drawScore(d, score, scoreCarry, s);
    whiteText(d, "OBJECTS", 330.0f, 3.0f - s);
    drawText(d, "TOTAL", 314.0f, 16.0f - s, 1.0f, 1.0f, 255, 185, 185, 185);
    textDigits(d, 3, objectCount, 362.0f, 16.0f - s, 185, 185, 185);
    drawKindCounters(d, countsByKind, highlightKind, s);
    textDigits(d, 5, dreamsCollected, 586.0f, 16.0f - s, 180, 180, 30);

    drawRect(d, BlendMode::Darken, 0.0f, 450.0f + s, 640, 30, {130, 130, 130}, true);
    whiteText(d, "MAP", 543.0f, 462.0f + s);
    const int32_t clockMs = flickeredClock(r, timeMs);
    whiteText(d, "TIME", 3.0f, 453.0f + s);
    drawClock(d, clockMs, s);
    whiteText(d, "AQUA", 200.0f, 453.0f + s);
    drawWaterGauge(d, aquaReserve, s);
}

void drawCombo(Renderer& r, int32_t comboTimer, int32_t comboCount, int32_t lastDreamPoints) {
    if (comboTimer < 1) return;
    GraphicsDevice& d = r.drawing.device;
    // Above 85 the display slides in from the left at full strength; below, it fades out.
    int slide = 0, b = 0;
    if (comboTimer < 85) {
        b = static_cast<int>(static_cast<float>(comboTimer) / 90.0f * 250.0f);
    } else {
        const int over = comboTimer - 85;
        slide = -over * over;
        b = 250 - 20 * over;
    }
    const float shift = static_cast<float>(slide);
    drawSprite(d, Sheet::Interface, BlendMode::Additive, 500.0f, 105.0f, {500, 125, 300, 50}, 1.5f, 1.5f, 0, {b, b, b});
    drawNumber(d, comboCount, BlendMode::Darken, true, 455.0f + shift, 75.0f, Sheet::Interface, {500, 0, 30, 40}, 1.0f,
               1.0f, {b, b, b});
    const int h = b / 2;
    drawSprite(d, Sheet::Interface, BlendMode::Darken, 535.0f + shift, 95.0f, {830, 0, 150, 40}, 1.0f, 1.0f, 0,
               {h, h, h});
    drawNumber(d, lastDreamPoints, BlendMode::Darken, true, 572.0f + shift, 115.0f, Sheet::Interface,
               {500, 105, 15, 20}, 1.0f, 1.0f, {b, b, b});
    drawSprite(d, Sheet::Interface, BlendMode::Darken, 592.0f + shift, 127.0f, {775, 40, 35, 24}, 1.0f, 1.0f, 0,
               {b, b, b});
}

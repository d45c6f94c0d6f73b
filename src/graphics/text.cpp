#include <cstdint>
#include <cstring>

#include "graphics/graphics_device.h"

namespace {

// The bitmap font's 88 glyphs in sheet order: 13 a row from (350, 150), 8 x 12 each.
constexpr char kAlphabet[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
    "abcdefghijklmnopqrstuvwxyz"
    " ,.!?;:\"'()<>{}[]#$%&+-*/="
    "0123456789";
static_assert(sizeof kAlphabet - 1 == kGlyphCount);
constexpr int kFirstSymbolGlyph = 53;  // the comma; the space before it is never drawn

int clampDigitCount(int digits) { return digits < 0 ? 0 : digits > kDigitScratchSize ? kDigitScratchSize : digits; }

// Fills digitScratch[0 .. n-1] with the value's digits, least significant first; a value that
// needs more digits shows all nines, and a value of 0 or less shows zeros.
void extractFixedDigits(GraphicsDevice& device, int n, int value) {
    for (int i = 0; i < n; ++i) device.digitScratch[i] = 0;
    int64_t v = value;
    if (n < 19) {
        int64_t limit = 1;
        for (int i = 0; i < n; ++i) limit *= 10;
        if (v >= limit) v = limit - 1;
    }
    for (int i = 0; v > 0 && i < n; ++i) {
        device.digitScratch[i] = static_cast<int32_t>(v % 10);
        v /= 10;
    }
}

}  // namespace

int glyphIndex(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c == 0 || c >= 128) return -1;
    const char* found = std::strchr(kAlphabet + kFirstSymbolGlyph, c);
    return found ? static_cast<int>(found - kAlphabet) : -1;
}

void drawNumberAlpha(GraphicsDevice& device, int digits, int value, Sheet sheet, float x, float y, Cell firstDigit,
                     float scaleX, float scaleY, int a, Rgb colour) {
    const int cellW = firstDigit.w;
    if (!device.drawEnabled) return;
    int n = clampDigitCount(digits);
    extractFixedDigits(device, n, value);
    for (int k = 0; k < n; ++k) {
        int d = device.digitScratch[n - 1 - k];
        drawSpriteAlpha(device, sheet, false, x + scaleX * k * cellW, y,
                        {firstDigit.x + d * cellW, firstDigit.y, cellW, firstDigit.h}, scaleX, scaleY, 0, a, colour);
    }
}

void drawSmallNumber(GraphicsDevice& device, int digits, BlendMode blendMode, int value, float x, float y, float scaleX,
                     float scaleY) {
    if (!device.drawEnabled) return;
    int n = clampDigitCount(digits);
    extractFixedDigits(device, n, value);
    for (int k = 0; k < n; ++k) {
        int d = device.digitScratch[n - 1 - k];
        drawSprite(device, Sheet::Interface, blendMode, x + scaleX * 15 * k, y, {500 + 15 * d, 105, 15, 20}, scaleX,
                   scaleY, 0, {255, 255, 255});
    }
}

void drawNumber(GraphicsDevice& device, int value, BlendMode blendMode, bool alignRight, float x, float y, Sheet sheet,
                Cell firstDigit, float scaleX, float scaleY, Rgb colour) {
    const int cellW = firstDigit.w, cellH = firstDigit.h;
    if (!device.drawEnabled) return;
    // 64 bits, so that the magnitude of the most negative value is representable.
    int64_t v = value;
    int64_t m = v < 0 ? -v : v;
    int n = 1;
    while (m > 9) {
        ++n;
        m /= 10;
    }
    bool negative = v < 0;
    if (negative) {
        ++n;
        v = -v;
    }
    for (int i = 0; i < n; ++i) device.digitScratch[i] = 0;
    for (int i = 0; v > 0 && i < n; ++i) {
        device.digitScratch[i] = static_cast<int32_t>(v % 10);
        v /= 10;
    }
    if (negative) device.digitScratch[n - 1] = 10;  // cell 10 of the row is the minus sign
    float width = cellW * scaleX;
    for (int k = 0; k < n; ++k) {
        int d = device.digitScratch[n - 1 - k];
        float left = x + k * width - (alignRight ? n * width : 0.0f);
        drawSprite(device, sheet, blendMode, left + width * 0.5f, y + cellH * scaleY * 0.5f,
                   {firstDigit.x + d * cellW, firstDigit.y, cellW, cellH}, scaleX, scaleY, 0, colour);
    }
}

void drawText(GraphicsDevice& device, const char* text, float x, float y, float scaleX, float scaleY, int a, int r,
              int g, int b) {
    if (!device.drawEnabled || !text) return;
    // Fading darkens the glyphs; their own transparency stays as the sheet has it.
    int fadedR = static_cast<int>(r * (a / 255.0));
    int fadedG = static_cast<int>(g * (a / 255.0));
    int fadedB = static_cast<int>(b * (a / 255.0));
    float advance = 0;
    for (const char* p = text; *p; ++p, advance += 8) {
        int i = glyphIndex(static_cast<unsigned char>(*p));
        if (i < 0) continue;
        drawSprite(device, Sheet::Interface, BlendMode::Alpha, x + 4.0f + advance, y + 6.0f,
                   {kFontLeft + kGlyphWidth * (i % kGlyphsPerRow), kFontTop + kGlyphHeight * (i / kGlyphsPerRow),
                    kGlyphWidth, kGlyphHeight},
                   scaleX, scaleY, 0, {fadedR, fadedG, fadedB});
    }
}

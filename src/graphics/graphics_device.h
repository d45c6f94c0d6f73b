#pragma once
// The drawing device: the frame, the seven blend modes, sprites, rectangles, lines, textures,
// numbers and bitmap text on the 640 x 480 logical screen. Every drawing operation draws at
// once through the shared quad; while drawEnabled is false they all return without drawing.
#include <cstddef>
#include <cstdint>

#include "graphics/draw_values.h"
#include "graphics/visible_texels.h"
#include "platform/video.h"
#include "platform/window.h"

constexpr int kTextureCount = 8;
constexpr int kDigitScratchSize = 32;

struct TextureSlot {
    int handle = platform::kNoTexture;
    int width = 0, height = 0;      // the texture's real (padded) size
    VisibleTexels visible;          // where the image's visible texels are
};

// How much of its cell a sprite fills. The rasteriser rounds a texture coordinate that falls on
// a texel's edge either way, and a smaller quad can round it the other way, so a part of a cell
// leaves the picture exactly as the whole cell would only where every pixel samples well inside
// a texel.
enum class SpriteTrim : uint8_t {
    WholeCells,    // every sprite fills its whole cell
    Exact,         // a sprite with nothing visible is left out, and an unturned sprite sampled
                   // nearest whose pixels all sample well inside texels fills only the visible
                   // part of its cell: the picture stays exactly as with whole cells
    VisibleParts,  // every sprite fills only the visible part of its cell: the least fill, but a
                   // pixel on a texel's edge can take the neighbouring texel (for measurements)
};

struct GraphicsDevice {
    TextureSlot textures[kTextureCount];
    int textureCount = kTextureCount;
    bool deviceCreated = false;     // set by the first resetDevice; later calls really switch
    bool windowed = true;           // the display mode asked for last
    platform::WindowRect windowRect = {0, 0, 0, 0};  // the window when the device was created
    bool cullingEnabled = false;
    bool drawEnabled = true;
    SpriteTrim spriteTrim = SpriteTrim::Exact;
    // The factors of the last valid blend mode: a mode outside 0..6 keeps them. Before any
    // mode is set, the source is taken as it is.
    platform::Blend blend = {platform::BlendFactor::One, platform::BlendFactor::Zero};
    platform::Vertex quad[4] = {};  // 0 top-left, 1 top-right, 2 bottom-right, 3 bottom-left
    int32_t digitScratch[kDigitScratchSize] = {};
};

// Frame and device.
bool initGraphics(GraphicsDevice& device, bool windowed);   // ends the program on failure
void resetDevice(GraphicsDevice& device, bool windowed);
void beginScene(GraphicsDevice& device);
void endScene(GraphicsDevice& device);
void presentFrame(GraphicsDevice& device);
// The scene picture for paused frames: dropped before a new scene draws, kept once it has
// drawn, shown in place of the scene while paused. Like every drawing operation, none of them
// acts while drawEnabled is false.
void keepScenePicture(GraphicsDevice& device);
void dropKeptScenePicture(GraphicsDevice& device);
void showKeptScenePicture(GraphicsDevice& device);
void releaseGraphics(GraphicsDevice& device);

// Colours are 0..255 channels of which only the low 8 bits count.
uint32_t packColour(int a, int r, int g, int b);
void setBlendMode(GraphicsDevice& device, BlendMode blendMode);

// Drawing operations. (x, y) is the centre of a sprite; angles are whole degrees.
void setSpriteQuad(GraphicsDevice& device, float x, float y, Cell cell, int texW, int texH, float scaleX, float scaleY,
                   int angle, Rgb colour);
void rotateQuadVertex(platform::Vertex& vertex, float centreX, float centreY, int angle);
// Draws the shared quad as it stands with a texture slot (or platform::kNoTexture) and a blend mode.
bool drawQuad(GraphicsDevice& device, int texture, BlendMode blendMode);
bool drawSprite(GraphicsDevice& device, Sheet sheet, BlendMode blendMode, float x, float y, Cell cell, float scaleX,
                float scaleY, int angle, Rgb colour);
// Smoothed sprite with alpha; (x, y) is its top-left unless centred. Turns the other way.
bool drawSpriteAlpha(GraphicsDevice& device, Sheet sheet, bool centred, float x, float y, Cell cell, float scaleX,
                     float scaleY, int angle, int a, Rgb colour);
bool drawCellStrip(GraphicsDevice& device, BlendMode blendMode, float x, float y, int cellX, int width, float scaleX,
                   float scaleY, int r, int g);
void setGradientQuad(GraphicsDevice& device, float x, float y, int w, int h, Rgb topLeft, Rgb topRight,
                     Rgb bottomRight, Rgb bottomLeft);
bool drawRect(GraphicsDevice& device, BlendMode blendMode, float x, float y, int w, int h, Rgb colour, bool filled);
bool drawGradientRect(GraphicsDevice& device, BlendMode blendMode, float x, float y, int w, int h, Rgb topLeft,
                      Rgb topRight, Rgb bottomRight, Rgb bottomLeft);
void setLineVertices(GraphicsDevice& device, float x0, float y0, float x1, float y1, Rgb colour0, Rgb colour1);
bool drawLine(GraphicsDevice& device, BlendMode blendMode, float x0, float y0, float x1, float y1, Rgb colour0,
              Rgb colour1);

// Textures. A bad slot or an unreadable image ends the program.
bool loadTexture(GraphicsDevice& device, int index, const char* path);
// name: the file the bytes came from, for the failure message (nullptr when there is none).
bool loadTextureFromMemory(GraphicsDevice& device, int index, const uint8_t* bytes, size_t size,
                           const char* name = nullptr);

// Numbers and text from the cells of the interface sheet (texture 5).
// firstDigit is the cell of the digit 0; the other digits follow it in a row (and the minus sign 9).
void drawNumberAlpha(GraphicsDevice& device, int digits, int value, Sheet sheet, float x, float y, Cell firstDigit,
                     float scaleX, float scaleY, int a, Rgb colour);
void drawSmallNumber(GraphicsDevice& device, int digits, BlendMode blendMode, int value, float x, float y, float scaleX,
                     float scaleY);
void drawNumber(GraphicsDevice& device, int value, BlendMode blendMode, bool alignRight, float x, float y, Sheet sheet,
                Cell firstDigit, float scaleX, float scaleY, Rgb colour);
void drawText(GraphicsDevice& device, const char* text, float x, float y, float scaleX, float scaleY, int a, int r,
              int g, int b);
// The glyph of a byte in the 88-glyph alphabet, or -1 for a byte that draws nothing.
int glyphIndex(unsigned char c);

// The bitmap font's block on the interface sheet: 88 glyphs of 8 x 12, 13 a row, from (350, 150).
// It must stay bright for the HUD text, so pictures whose cells reach into it are drawn from the
// part of the cell beside it.
constexpr int kFontLeft = 350, kFontTop = 150;
constexpr int kGlyphWidth = 8, kGlyphHeight = 12, kGlyphsPerRow = 13, kGlyphCount = 88;
constexpr int kFontRight = kFontLeft + kGlyphWidth * kGlyphsPerRow;                                        // 454
constexpr int kFontBottom = kFontTop + kGlyphHeight * ((kGlyphCount + kGlyphsPerRow - 1) / kGlyphsPerRow);  // 234

// The centre x at which columns partLeft .. partLeft + partWidth of a cell, drawn at the given scale,
// land where the whole cell (from cellLeft, cellWidth wide) centred at wholeCentre puts them.
inline float partCentreX(float wholeCentre, int cellLeft, int cellWidth, int partLeft, int partWidth, float scale) {
    const int doubledShift = (2 * partLeft + partWidth) - (2 * cellLeft + cellWidth);
    return wholeCentre + static_cast<float>(doubledShift) * 0.5f * scale;
}

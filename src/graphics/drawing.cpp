#include <cmath>
#include <utility>

#include "graphics/graphics_device.h"
#include "support/math_tables.h"

using platform::Blend;
using platform::BlendFactor;
using platform::Vertex;

namespace {

bool validSlot(int texture) { return texture >= 0 && texture < kTextureCount; }

void setVertex(Vertex& v, float x, float y, uint32_t colour, float u, float w) {
    v = {x, y, colour, u, w};
}

bool submitQuad(GraphicsDevice& device, int handle, Blend blend, platform::Filter filter) {
    return platform::drawTriangleFan(device.quad, 4, handle, blend, filter);
}

// The quad of a part of a cell, where the whole cell's quad puts that part: the same texture
// coordinate lands on the same point of the screen.
void setSpritePartQuad(GraphicsDevice& device, float x, float y, Cell cell, CellPart part, int texW, int texH,
                       float scaleX, float scaleY, int angle, Rgb colour) {
    const int cellX = cell.x, cellY = cell.y, cellW = cell.w, cellH = cell.h;
    // Half-texel offset: each pixel centre samples a texel centre.
    float uLeft = (cellX + part.left + 0.5f) / texW, uRight = (cellX + part.right + 0.5f) / texW;
    float vTop = (cellY + part.top + 0.5f) / texH, vBottom = (cellY + part.bottom + 0.5f) / texH;
    // The part's offsets along the screen, which count from the other side when mirrored.
    int fromLeft = part.left, toRight = part.right, fromTop = part.top, toBottom = part.bottom;
    // Mirroring swaps the texture coordinates, never the corners, so the quad stays clockwise.
    if (scaleX < 0) {
        scaleX = -scaleX;
        std::swap(uLeft, uRight);
        fromLeft = cellW - part.right;
        toRight = cellW - part.left;
    }
    if (scaleY < 0) {
        scaleY = -scaleY;
        std::swap(vTop, vBottom);
        fromTop = cellH - part.bottom;
        toBottom = cellH - part.top;
    }
    float left = x - cellW * (scaleX - 1.0f) * 0.5f - cellW * 0.5f;
    float top = y - cellH * (scaleY - 1.0f) * 0.5f - cellH * 0.5f;
    float right = left + cellW * scaleX;
    float bottom = top + cellH * scaleY;
    // An edge of the whole cell stays exactly where it was.
    if (toRight != cellW) right = left + toRight * scaleX;
    if (fromLeft != 0) left += fromLeft * scaleX;
    if (toBottom != cellH) bottom = top + toBottom * scaleY;
    if (fromTop != 0) top += fromTop * scaleY;
    const uint32_t packed = packColour(255, colour.r, colour.g, colour.b);
    setVertex(device.quad[0], left, top, packed, uLeft, vTop);
    setVertex(device.quad[1], right, top, packed, uRight, vTop);
    setVertex(device.quad[2], right, bottom, packed, uRight, vBottom);
    setVertex(device.quad[3], left, bottom, packed, uLeft, vBottom);
    if (angle != 0)
        for (Vertex& v : device.quad) rotateQuadVertex(v, x, y, angle);
}

// True when trimming found nothing in a cell that has an area: no texel of it would show.
bool nothingVisible(Cell cell, CellPart part) { return cell.w > 0 && cell.h > 0 && partIsEmpty(part); }

bool isWholeCell(Cell cell, CellPart part) {
    return part.left == 0 && part.top == 0 && part.right == cell.w && part.bottom == cell.h;
}

// How far from a texel's edge every sample must stay for a part's quad to sample the same
// texels as the whole cell's: far more than the rasteriser's rounding of a texture coordinate.
constexpr double kTexelEdgeClearance = 1.0 / 16.0;
constexpr double kMostCheckedPixels = 4096.0;

// True when every pixel along one axis of an unturned quad (its edge at start, cells texels of
// scale pixels each) samples a texel well inside its edges. The pixel on the whole coordinate p
// samples the texel offset (p - start) / scale + 1/2 from the cell's edge, either way round.
bool samplesClearOfTexelEdges(float start, int cells, float scale) {
    const double span = static_cast<double>(cells) * scale;
    if (!std::isfinite(start) || !(span > 0.0) || span > kMostCheckedPixels) return false;
    const double first = std::ceil(start), last = std::floor(start + span);
    // At scale 1 every pixel samples the same point of its texel.
    const double pixels = scale == 1.0f ? std::fmin(last - first, 0.0) : last - first;
    for (double p = first; p <= first + pixels; ++p) {
        const double t = (p - start) / scale + 0.5;
        if (std::fabs(t - std::nearbyint(t)) < kTexelEdgeClearance) return false;
    }
    return true;
}

// True when a part of the cell, drawn by drawSprite, leaves every pixel as the whole cell does.
bool partDrawsExactly(float x, float y, Cell cell, float scaleX, float scaleY, int angle) {
    if (angle != 0) return false;
    const float sx = std::fabs(scaleX), sy = std::fabs(scaleY);
    // The whole cell's edges, as setSpritePartQuad places them.
    const float left = x - cell.w * (sx - 1.0f) * 0.5f - cell.w * 0.5f;
    const float top = y - cell.h * (sy - 1.0f) * 0.5f - cell.h * 0.5f;
    return samplesClearOfTexelEdges(left, cell.w, sx) && samplesClearOfTexelEdges(top, cell.h, sy);
}

}  // namespace

uint32_t packColour(int a, int r, int g, int b) {
    return (static_cast<uint32_t>(a & 255) << 24) | (static_cast<uint32_t>(r & 255) << 16) |
           (static_cast<uint32_t>(g & 255) << 8) | static_cast<uint32_t>(b & 255);
}

void setBlendMode(GraphicsDevice& device, BlendMode blendMode) {
    switch (blendMode) {
        case BlendMode::Alpha:
            device.blend = {BlendFactor::SrcAlpha, BlendFactor::InvSrcAlpha};
            break;
        case BlendMode::Brighten:
            device.blend = {BlendFactor::DestColour, BlendFactor::One};
            break;
        case BlendMode::Screen:
            device.blend = {BlendFactor::InvDestColour, BlendFactor::One};
            break;
        case BlendMode::Additive:
            device.blend = {BlendFactor::SrcAlpha, BlendFactor::One};
            break;
        case BlendMode::Darken:
            device.blend = {BlendFactor::Zero, BlendFactor::InvSrcColour};
            break;
        case BlendMode::Invert:
            device.blend = {BlendFactor::InvDestColour, BlendFactor::InvSrcColour};
            break;
        case BlendMode::Multiply:
            device.blend = {BlendFactor::Zero, BlendFactor::SrcColour};
            break;
        default: break;  // an unknown mode blends with the factors set last
    }
}

void setSpriteQuad(GraphicsDevice& device, float x, float y, Cell cell, int texW, int texH, float scaleX, float scaleY,
                   int angle, Rgb colour) {
    setSpritePartQuad(device, x, y, cell, wholeCell(cell), texW, texH, scaleX, scaleY, angle, colour);
}

void rotateQuadVertex(Vertex& vertex, float centreX, float centreY, int angle) {
    // Negated: on the y-down screen a positive angle turns counter-clockwise.
    float theta = static_cast<float>(angle) / 180.0f * -kPi;
    float dx = vertex.x - centreX, dy = vertex.y - centreY;
    float c = std::cos(theta), s = std::sin(theta);
    vertex.x = dx * c - dy * s + centreX;
    vertex.y = dx * s + dy * c + centreY;
}

bool drawQuad(GraphicsDevice& device, int texture, BlendMode blendMode) {
    if (!device.drawEnabled) return false;
    int handle = validSlot(texture) ? device.textures[texture].handle : platform::kNoTexture;
    setBlendMode(device, blendMode);
    return submitQuad(device, handle, device.blend, platform::Filter::Nearest);
}

bool drawSprite(GraphicsDevice& device, Sheet sheet, BlendMode blendMode, float x, float y, Cell cell, float scaleX,
                float scaleY, int angle, Rgb colour) {
    const int texture = slotOf(sheet);
    if (!device.drawEnabled || !validSlot(texture)) return false;
    TextureSlot& slot = device.textures[texture];
    // An empty slot draws the vertex colour alone; its size stands at 1 to keep the arithmetic finite.
    int texW = slot.handle == platform::kNoTexture ? 1 : slot.width;
    int texH = slot.handle == platform::kNoTexture ? 1 : slot.height;
    CellPart part = wholeCell(cell);
    // Exact trimming looks only at unturned sprites: a turned one samples texel edges somewhere.
    const bool mayTrim = device.spriteTrim == SpriteTrim::VisibleParts ||
                         (device.spriteTrim == SpriteTrim::Exact && angle == 0);
    if (mayTrim && slot.handle != platform::kNoTexture) {
        part = visiblePart(slot.visible, cell, blankTexelsOf(blendMode), CellSampling::Nearest);
        if (nothingVisible(cell, part)) {
            setBlendMode(device, blendMode);
            return true;
        }
        if (device.spriteTrim == SpriteTrim::Exact && !isWholeCell(cell, part) &&
            !partDrawsExactly(x, y, cell, scaleX, scaleY, angle))
            part = wholeCell(cell);
    }
    setSpritePartQuad(device, x, y, cell, part, texW, texH, scaleX, scaleY, angle, colour);
    return drawQuad(device, texture, blendMode);
}

bool drawSpriteAlpha(GraphicsDevice& device, Sheet sheet, bool centred, float x, float y, Cell cell, float scaleX,
                     float scaleY, int angle, int a, Rgb tint) {
    const int texture = slotOf(sheet);
    if (!device.drawEnabled || !validSlot(texture)) return false;
    const int cellX = cell.x, cellY = cell.y, cellW = cell.w, cellH = cell.h;
    TextureSlot& slot = device.textures[texture];
    int texW = slot.handle == platform::kNoTexture ? 1 : slot.width;
    int texH = slot.handle == platform::kNoTexture ? 1 : slot.height;
    // Filtering weighs neighbouring texels by the fraction of the coordinate, which the rasteriser
    // rounds: only the whole cell keeps every weight as it was, so exact trimming leaves it whole.
    CellPart part = wholeCell(cell);
    if (device.spriteTrim == SpriteTrim::VisibleParts && slot.handle != platform::kNoTexture) {
        part = visiblePart(slot.visible, cell, BlankTexels::ZeroAlpha, CellSampling::Linear);
        if (nothingVisible(cell, part)) return true;
    }

    // The cell is scaled from its top-left, turned about the middle of the scaled cell, then
    // moved into place; a positive angle turns it clockwise on the screen.
    float centreX = cellW * 0.5f * scaleX, centreY = cellH * 0.5f * scaleY;
    float moveX = centred ? x - cellW * scaleX * 0.5f : x;
    float moveY = centred ? y - cellH * scaleY * 0.5f : y;
    // The smoothed sprites turn with pi cut to five decimals: not kPi.
    float rotation = angle * 3.14159f / 180.0f;
    float c = std::cos(rotation), s = std::sin(rotation);
    uint32_t colour = packColour(a, tint.r, tint.g, tint.b);

    // The corners of the part to draw, in texels from the cell's top-left.
    const float partLeft = static_cast<float>(part.left), partRight = static_cast<float>(part.right);
    const float partTop = static_cast<float>(part.top), partBottom = static_cast<float>(part.bottom);
    const float cornerX[4] = {partLeft, partRight, partRight, partLeft};
    const float cornerY[4] = {partTop, partTop, partBottom, partBottom};
    Vertex quad[4];
    for (int i = 0; i < 4; ++i) {
        float dx = cornerX[i] * scaleX - centreX, dy = cornerY[i] * scaleY - centreY;
        float px = dx * c - dy * s + centreX + moveX;
        float py = dx * s + dy * c + centreY + moveY;
        // Corners sit on pixel edges, half a pixel before the centres, so at scale 1 each
        // texel lands on one pixel even with linear filtering.
        setVertex(quad[i], px - 0.5f, py - 0.5f, colour, (cellX + cornerX[i]) / texW, (cellY + cornerY[i]) / texH);
    }
    // The sprite path has states of its own: it does not touch the device's blend mode.
    Blend ordinary = {BlendFactor::SrcAlpha, BlendFactor::InvSrcAlpha};
    return platform::drawTriangleFan(quad, 4, slot.handle, ordinary, platform::Filter::Linear);
}

bool drawCellStrip(GraphicsDevice& device, BlendMode blendMode, float x, float y, int cellX, int width, float scaleX,
                   float scaleY, int r, int g) {
    return drawSprite(device, Sheet::Interface, blendMode, x + width * 0.5f, y + 15.0f, {cellX, 400, width, 30}, scaleX,
                      scaleY, 0, {r, g, 255});
}

void setGradientQuad(GraphicsDevice& device, float x, float y, int w, int h, Rgb topLeft, Rgb topRight,
                     Rgb bottomRight, Rgb bottomLeft) {
    setVertex(device.quad[0], x, y, packColour(255, topLeft.r, topLeft.g, topLeft.b), 0.0f, 0.0f);
    setVertex(device.quad[1], x + w, y, packColour(255, topRight.r, topRight.g, topRight.b), 1.0f, 0.0f);
    setVertex(device.quad[2], x + w, y + h, packColour(255, bottomRight.r, bottomRight.g, bottomRight.b), 1.0f, 1.0f);
    setVertex(device.quad[3], x, y + h, packColour(255, bottomLeft.r, bottomLeft.g, bottomLeft.b), 0.0f, 1.0f);
}

bool drawRect(GraphicsDevice& device, BlendMode blendMode, float x, float y, int w, int h, Rgb colour, bool filled) {
    if (!device.drawEnabled) return false;
    if (filled) {
        setGradientQuad(device, x, y, w, h, colour, colour, colour, colour);
        return drawQuad(device, platform::kNoTexture, blendMode);
    }
    // The top and left lines run one pixel further, since a line leaves out its end pixel.
    bool ok = drawLine(device, blendMode, x, y, x + w + 1, y, colour, colour);
    ok = drawLine(device, blendMode, x, y, x, y + h + 1, colour, colour) && ok;
    ok = drawLine(device, blendMode, x + w, y + h, x, y + h, colour, colour) && ok;
    ok = drawLine(device, blendMode, x + w, y + h, x + w, y, colour, colour) && ok;
    return ok;
}

bool drawGradientRect(GraphicsDevice& device, BlendMode blendMode, float x, float y, int w, int h, Rgb topLeft,
                      Rgb topRight, Rgb bottomRight, Rgb bottomLeft) {
    if (!device.drawEnabled) return false;
    setGradientQuad(device, x, y, w, h, topLeft, topRight, bottomRight, bottomLeft);
    return drawQuad(device, platform::kNoTexture, blendMode);
}

void setLineVertices(GraphicsDevice& device, float x0, float y0, float x1, float y1, Rgb colour0, Rgb colour1) {
    setVertex(device.quad[0], x0, y0, packColour(255, colour0.r, colour0.g, colour0.b), 0.0f, 0.0f);
    setVertex(device.quad[1], x1, y1, packColour(255, colour1.r, colour1.g, colour1.b), 0.0f, 0.0f);
}

bool drawLine(GraphicsDevice& device, BlendMode blendMode, float x0, float y0, float x1, float y1, Rgb colour0,
              Rgb colour1) {
    if (!device.drawEnabled) return false;
    setLineVertices(device, x0, y0, x1, y1, colour0, colour1);
    setBlendMode(device, blendMode);
    return platform::drawLine(device.quad, device.blend);
}

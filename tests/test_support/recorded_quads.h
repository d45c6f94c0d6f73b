#pragma once
// Reads the draws the headless platform recorded back into the terms of the drawing calls: the
// sheet and the cell drawn, where and how large on the screen, turned and mirrored how, in which
// colour and blend mode.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "graphics/graphics_device.h"
#include "platform/headless/headless.h"

namespace testsupport {

// The blend mode (0 ... 6) whose factors a draw used; -1 when no mode has them.
inline int blendModeOf(const platform::Blend& blend) {
    for (int mode = 0; mode <= 6; ++mode) {
        GraphicsDevice scratch;
        setBlendMode(scratch, static_cast<BlendMode>(mode));
        if (blend.source == scratch.blend.source && blend.destination == scratch.blend.destination) return mode;
    }
    return -1;
}

struct SeenQuad {
    platform::headless::DrawCall call;
    int texture = -1;          // the device's texture slot drawn from; -1 untextured or not a slot
    bool textured = false;
    bool smooth = false;       // the smoothed alpha path (linear filtering)
    int blend = -1;            // blendModeOf the draw's factors
    float centreX = 0, centreY = 0;   // the sprite's centre and first corner, with the smooth
    float left = 0, top = 0;          // path's half-pixel shift undone
    float width = 0, height = 0;      // the bounding box on the screen
    float scaleX = 0, scaleY = 0;     // screen pixels per texel along the quad's own sides
    float angle = 0;                  // degrees, counter-clockwise on the screen
    bool mirroredY = false;
    int cellX = 0, cellY = 0, cellW = 0, cellH = 0;   // on a sheet sheetSide texels square
    int a = 0, r = 0, g = 0, b = 0;   // the first corner's colour
};

// Reads one recorded quad; its texture slot is found among the device's.
inline SeenQuad readQuad(const platform::headless::DrawCall& call, const GraphicsDevice& device, int sheetSide) {
    const platform::Vertex* v = call.vertices;
    SeenQuad s;
    s.call = call;
    s.textured = call.texture != platform::kNoTexture;
    for (int slot = 0; s.textured && slot < kTextureCount; ++slot)
        if (device.textures[slot].handle == call.texture) s.texture = slot;
    s.smooth = call.filter == platform::Filter::Linear;
    s.blend = blendModeOf(call.blend);

    const float shift = s.smooth ? 0.5f : 0.0f;   // the smooth path sits half a pixel early
    const float texel = s.smooth ? 0.0f : 0.5f;   // the shared quad samples texel centres
    float minX = v[0].x, maxX = v[0].x, minY = v[0].y, maxY = v[0].y;
    for (int i = 1; i < call.count; ++i) {
        minX = std::min(minX, v[i].x), maxX = std::max(maxX, v[i].x);
        minY = std::min(minY, v[i].y), maxY = std::max(maxY, v[i].y);
    }
    s.centreX = (minX + maxX) / 2 + shift;
    s.centreY = (minY + maxY) / 2 + shift;
    s.left = v[0].x + shift;
    s.top = v[0].y + shift;
    s.width = maxX - minX;
    s.height = maxY - minY;

    const float side = static_cast<float>(sheetSide);
    s.cellX = static_cast<int>(std::lround(std::fmin(v[0].u, v[1].u) * side - texel));
    s.cellY = static_cast<int>(std::lround(std::fmin(v[0].v, v[3].v) * side - texel));
    s.cellW = static_cast<int>(std::lround(std::fabs(v[1].u - v[0].u) * side));
    s.cellH = static_cast<int>(std::lround(std::fabs(v[3].v - v[0].v) * side));
    s.mirroredY = v[0].v > v[3].v;
    s.scaleX = std::hypot(v[1].x - v[0].x, v[1].y - v[0].y) / static_cast<float>(s.cellW);
    s.scaleY = std::hypot(v[3].x - v[0].x, v[3].y - v[0].y) / static_cast<float>(s.cellH);
    s.angle = static_cast<float>(std::atan2(v[0].y - v[1].y, v[1].x - v[0].x) * 180.0 / std::numbers::pi);

    const uint32_t colour = v[0].colour;
    s.a = static_cast<int>(colour >> 24);
    s.r = static_cast<int>((colour >> 16) & 255);
    s.g = static_cast<int>((colour >> 8) & 255);
    s.b = static_cast<int>(colour & 255);
    return s;
}

// Every draw recorded since the record was last cleared, read back; the keeps, drops and shows
// of the scene picture draw nothing and are left out.
inline std::vector<SeenQuad> recordedQuads(const GraphicsDevice& device, int sheetSide) {
    namespace hl = platform::headless;
    std::vector<SeenQuad> out;
    for (const hl::DrawCall& call : hl::videoRecord().draws) {
        if (call.kind != hl::DrawKind::TriangleFan && call.kind != hl::DrawKind::Line) continue;
        out.push_back(readQuad(call, device, sheetSide));
    }
    return out;
}

inline std::array<int, 3> rgbOf(const SeenQuad& s) { return {s.r, s.g, s.b}; }

}  // namespace testsupport

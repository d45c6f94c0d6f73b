#pragma once
// A recording drawing context with every sheet present at 1024 x 1024, and a reader that turns a
// recorded draw back into the picture it showed: sheet, cell, centre, size, colour.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/headless/headless.h"
#include "support/math_tables.h"
#include "test_support/recording_drawing.h"

namespace scenetest {

using testsupport::kSheetSize;

struct Seen {
    int texture = -1;           // the slot of the sheet, -1 for an untextured draw
    int cellX = 0, cellY = 0, cellW = 0, cellH = 0;
    float centreX = 0, centreY = 0;
    float width = 0, height = 0;    // on the screen (the bounding box)
    int r = 0, g = 0, b = 0;
    platform::headless::DrawCall call;
};

// The recording drawing context with its effects generator seeded by hand.
class RendererTest : public testsupport::RecordingDrawingTest {
protected:
    void SetUp() override {
        RecordingDrawingTest::SetUp();
        r.effectsRandom.randomState = 12345;
    }

    int slotOf(int handle) const {
        for (int slot = 0; slot < kTextureCount; ++slot)
            if (r.device.textures[slot].handle == handle) return slot;
        return -1;
    }

    Seen seen(const platform::headless::DrawCall& call) const {
        Seen s;
        s.call = call;
        s.texture = call.texture == platform::kNoTexture ? -1 : slotOf(call.texture);
        float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f;
        float minU = 1e9f, maxU = -1e9f, minV = 1e9f, maxV = -1e9f;
        for (int i = 0; i < call.count; ++i) {
            const platform::Vertex& v = call.vertices[i];
            minX = std::min(minX, v.x), maxX = std::max(maxX, v.x);
            minY = std::min(minY, v.y), maxY = std::max(maxY, v.y);
            minU = std::min(minU, v.u), maxU = std::max(maxU, v.u);
            minV = std::min(minV, v.v), maxV = std::max(maxV, v.v);
        }
        s.centreX = (minX + maxX) / 2;
        s.centreY = (minY + maxY) / 2;
        s.width = maxX - minX;
        s.height = maxY - minY;
        s.cellX = static_cast<int>(std::lround(minU * kSheetSize - 0.5f));
        s.cellY = static_cast<int>(std::lround(minV * kSheetSize - 0.5f));
        s.cellW = static_cast<int>(std::lround((maxU - minU) * kSheetSize));
        s.cellH = static_cast<int>(std::lround((maxV - minV) * kSheetSize));
        const uint32_t c = call.vertices[0].colour;
        s.r = static_cast<int>((c >> 16) & 0xFF);
        s.g = static_cast<int>((c >> 8) & 0xFF);
        s.b = static_cast<int>(c & 0xFF);
        return s;
    }

    // Every draw recorded since the last clear, read back.
    std::vector<Seen> drawn() const {
        std::vector<Seen> out;
        for (const auto& call : platform::headless::videoRecord().draws) out.push_back(seen(call));
        return out;
    }

    // Draws from one sheet whose cell starts at (cellX, cellY) and has the given height.
    int countCells(const std::vector<Seen>& all, int texture, int cellY, int cellH, int cellX = -1) const {
        return static_cast<int>(std::count_if(all.begin(), all.end(), [&](const Seen& s) {
            return s.texture == texture && s.cellY == cellY && s.cellH == cellH && (cellX < 0 || s.cellX == cellX);
        }));
    }
};

}  // namespace scenetest

#pragma once
// A recording drawing context with every sheet present at 1024 x 1024, whose draws read back into
// the pictures they showed: sheet, cell, centre, size, colour.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/headless/headless.h"
#include "support/math_tables.h"
#include "test_support/recorded_quads.h"
#include "test_support/recording_drawing.h"

namespace scenetest {

using testsupport::kSheetSize;

using Seen = testsupport::SeenQuad;

// The recording drawing context with its effects generator seeded by hand.
class RendererTest : public testsupport::RecordingDrawingTest {
protected:
    void SetUp() override {
        RecordingDrawingTest::SetUp();
        r.effectsRandom.randomState = 12345;
    }

    // Every draw recorded since the last clear, read back.
    std::vector<Seen> drawn() const { return testsupport::recordedQuads(r.device, kSheetSize); }

    // Draws from one sheet whose cell starts at (cellX, cellY) and has the given height.
    int countCells(const std::vector<Seen>& all, int texture, int cellY, int cellH, int cellX = -1) const {
        return static_cast<int>(std::count_if(all.begin(), all.end(), [&](const Seen& s) {
            return s.texture == texture && s.cellY == cellY && s.cellH == cellH && (cellX < 0 || s.cellX == cellX);
        }));
    }
};

}  // namespace scenetest

// The digest fields keep their stored digests. tests/world/field_digests.txt holds what
// `build/bench/bench_world_step --digests` printed; a few spread and crowded fields are played
// again here and compared frame by frame, pair count and digest.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "bench_field.h"
#include "platform/headless/headless.h"

namespace {

struct StoredFrame {
    std::string layout;
    int objects = 0;
    uint32_t seed = 0;
    int frame = 0;
    uint64_t digest = 0;
    int pairTests = 0;
};

std::vector<StoredFrame> readStoredFrames() {
    std::vector<StoredFrame> frames;
    std::ifstream in(MOSSBLOOM_SOURCE_DIR "/tests/world/field_digests.txt");
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        StoredFrame f;
        fields >> f.layout >> f.objects >> f.seed >> f.frame >> std::hex >> f.digest >> std::dec >> f.pairTests;
        if (fields) frames.push_back(f);
    }
    return frames;
}

const StoredFrame* findStored(const std::vector<StoredFrame>& stored, const DigestField& field, int frame) {
    for (const StoredFrame& s : stored) {
        if (s.layout == layoutName(field.crowdSide) && s.objects == field.objects && s.seed == field.seed &&
            s.frame == frame)
            return &s;
    }
    return nullptr;
}

std::string hex(uint64_t v) {
    char text[17];
    std::snprintf(text, sizeof text, "%016" PRIx64, v);
    return text;
}

}  // namespace

TEST(FieldDigests, ASpreadAndTwoCrowdedLayoutsAtBothPoolSizesKeepTheirDigestsFrameByFrame) {
    platform::headless::assumeAudioFilesExist(true);
    const std::vector<StoredFrame> stored = readStoredFrames();
    ASSERT_EQ(stored.size(), static_cast<size_t>(digestFieldCount() * kDigestFrames)) << "a stored field is missing";
    // One field of each layout and pool size, a different seed each time.
    const int shapes = digestFieldCount() / kDigestFieldsPerShape;
    for (int shape = 0; shape < shapes; ++shape) {
        const DigestField field = digestField(shape * kDigestFieldsPerShape + shape % kDigestFieldsPerShape);
        FrameDigest frames[kDigestFrames];
        playDigestField(field, frames);
        for (int i = 0; i < kDigestFrames; ++i) {
            const int frame = kDigestFirstFrame + i;
            const StoredFrame* s = findStored(stored, field, frame);
            ASSERT_NE(s, nullptr) << layoutName(field.crowdSide) << " " << field.objects << " " << field.seed;
            ASSERT_EQ(frames[i].pairTests, s->pairTests) << s->layout << " " << s->objects << " " << s->seed << " frame " << frame;
            ASSERT_EQ(hex(frames[i].digest), hex(s->digest)) << s->layout << " " << s->objects << " " << s->seed << " frame " << frame;
        }
    }
}

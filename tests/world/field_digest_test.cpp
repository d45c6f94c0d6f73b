// The digest fields keep their stored digests. tests/world/field_digests.txt holds what
// `build/bench/bench_world_step --digests --pair-path=scalar` printed; a few spread and crowded
// fields are played again here on every pair path and compared frame by frame, pair count and
// digest. Every field is also played on every path and compared with the chain walk, which holds
// whatever the stored digests are.
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

std::string fieldName(const DigestField& field) {
    return std::string(layoutName(field.crowdSide)) + " " + std::to_string(field.objects) + " " +
           std::to_string(field.seed);
}

std::vector<PairPath> availablePaths() {
    std::vector<PairPath> paths;
    for (PairPath p : {PairPath::scalar, PairPath::sse2, PairPath::avx2}) {
        if (pairPathAvailable(p)) paths.push_back(p);
    }
    return paths;
}

}  // namespace

TEST(FieldDigests, ASpreadAndTwoCrowdedLayoutsAtBothPoolSizesKeepTheirDigestsFrameByFrame) {
    platform::headless::assumeAudioFilesExist(true);
    const std::vector<StoredFrame> stored = readStoredFrames();
    ASSERT_EQ(stored.size(), static_cast<size_t>(digestFieldCount() * kDigestFrames)) << "a stored field is missing";
    // One field of each layout and pool size, a different seed each time.
    const int shapes = digestFieldCount() / kDigestFieldsPerShape;
    for (PairPath path : availablePaths()) {
        for (int shape = 0; shape < shapes; ++shape) {
            const DigestField field = digestField(shape * kDigestFieldsPerShape + shape % kDigestFieldsPerShape);
            FrameDigest frames[kDigestFrames];
            playDigestField(field, path, frames);
            for (int i = 0; i < kDigestFrames; ++i) {
                const int frame = kDigestFirstFrame + i;
                const StoredFrame* s = findStored(stored, field, frame);
                ASSERT_NE(s, nullptr) << fieldName(field);
                const std::string where = fieldName(field) + " frame " + std::to_string(frame) + " on the " +
                                          pairPathName(path) + " path";
                ASSERT_EQ(frames[i].pairTests, s->pairTests) << where;
                ASSERT_EQ(hex(frames[i].digest), hex(s->digest)) << where;
            }
        }
    }
}

TEST(FieldDigests, EveryPairPathPlaysEveryFieldExactlyLikeTheChainWalk) {
    platform::headless::assumeAudioFilesExist(true);
    for (int f = 0; f < digestFieldCount(); ++f) {
        const DigestField field = digestField(f);
        FrameDigest walked[kDigestFrames];
        playDigestField(field, PairPath::scalar, walked);
        for (PairPath path : availablePaths()) {
            if (path == PairPath::scalar) continue;
            FrameDigest frames[kDigestFrames];
            playDigestField(field, path, frames);
            for (int i = 0; i < kDigestFrames; ++i) {
                const std::string where = fieldName(field) + " frame " + std::to_string(kDigestFirstFrame + i) +
                                          " on the " + pairPathName(path) + " path";
                ASSERT_EQ(frames[i].pairTests, walked[i].pairTests) << where;
                ASSERT_EQ(hex(frames[i].digest), hex(walked[i].digest)) << where;
            }
        }
    }
}

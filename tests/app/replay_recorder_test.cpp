// The recorder's files: a partial replay in place every 10 s that grows by whole lines, the
// finished replay renamed over it, and a full disk, a folder that cannot be made and a play too
// long for the buffer each costing one message and never the play.
#include <gtest/gtest.h>

#include <string>

#include "app/replay_recorder.h"
#include "platform/headless/file_recorder.h"

namespace hl = platform::headless;

namespace {

constexpr int64_t kSomeNoon = 1793620800;   // 2026-11-02 12:00:00 UTC
constexpr uint32_t kFrameMs = 33;

class ReplayRecorderTest : public ::testing::Test {
protected:
    void SetUp() override {
        hl::resetFiles();
        start.objects.records = kObjectCapacity + 1;
        start.seeds.records = kSeedCapacity + 1;
        for (int i = 0; i < start.objects.records; ++i) start.objects.order[i] = i + 2;
        for (int i = 0; i < start.seeds.records; ++i) start.seeds.order[i] = i + 2;
        start.mode = PlayMode::clover;
    }

    // Frames in which the mouse moves every other frame, from the clock now on.
    void play(int frames) {
        for (int i = 0; i < frames; ++i, ++frame) {
            FrameInput in;
            in.x = (frame / 2) % 600;
            in.left = frame % 3 == 0;
            recordFrame(recorder, in, now);
            now += kFrameMs;
        }
    }

    Replay read(const std::string& path) {
        Replay replay;
        ReplayError error;
        EXPECT_TRUE(readReplay(hl::fileText(path), replay, error)) << path << ":" << error.line << ": " << error.why;
        return replay;
    }


    ReplayRecorder recorder;
    PlayStart start;
    uint32_t now = 5000;
    int frame = 0;
    const std::string path = "/home/player/replays/mossbloom-2026-11-02-120000-clover.replay";
};

PlayResult resultAfter(int64_t frames) {
    PlayResult r;
    r.frames = frames;
    r.score = 31;
    r.digest = 0xabcdef;
    return r;
}

TEST_F(ReplayRecorderTest, APartialReplayStandsInPlaceFromTenSecondsOnAndTheFinishedOneReplacesIt) {
    ASSERT_TRUE(openRecorder(recorder, "/home/player/replays"));
    ::setenv("TZ", "UTC", 1);
    startRecording(recorder, start, now, kSomeNoon);
    play(300);
    EXPECT_TRUE(hl::filePaths().empty()) << "nothing is written within the first 10 s";
    play(5);
    ASSERT_EQ(hl::filePaths().size(), 1u);
    EXPECT_EQ(hl::filePaths()[0], path) << "named by the date, the time and the mode";
    Replay partial = read(path);
    EXPECT_TRUE(partial.partial);
    EXPECT_EQ(partial.frames, 305) << "every frame up to the one 10 s after the start";

    // The next 10 s add their lines to the same file.
    const size_t before = hl::fileText(path).size();
    play(310);
    const std::string grown = hl::fileText(path);
    EXPECT_GT(grown.size(), before);
    EXPECT_EQ(grown.back(), '\n') << "whole lines only";
    EXPECT_EQ(read(path).frames, 609);

    play(20);
    finishRecording(recorder, resultAfter(635));
    EXPECT_EQ(hl::filePaths().size(), 1u) << "the temporary file is gone";
    EXPECT_EQ(hl::openFileCount(), 0);
    const Replay done = read(path);
    EXPECT_FALSE(done.partial);
    ASSERT_TRUE(done.hasResult);
    EXPECT_EQ(done.frames, 635);
    EXPECT_EQ(done.result.score, 31);
}

TEST_F(ReplayRecorderTest, ReplaysStartedInTheSameSecondGetNamesOfTheirOwn) {
    ASSERT_TRUE(openRecorder(recorder, "/r"));
    ::setenv("TZ", "UTC", 1);
    for (int n = 0; n < 3; ++n) {
        startRecording(recorder, start, now, kSomeNoon);
        play(5);
        finishRecording(recorder, resultAfter(5));
    }
    const std::vector<std::string> names = hl::filePaths();
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[0], "/r/mossbloom-2026-11-02-120000-clover-2.replay");
    EXPECT_EQ(names[1], "/r/mossbloom-2026-11-02-120000-clover-3.replay");
    EXPECT_EQ(names[2], "/r/mossbloom-2026-11-02-120000-clover.replay");
}

TEST_F(ReplayRecorderTest, AFullDiskCostsTheRestOfTheRecordingWithOneMessageAndLeavesWholeLines) {
    ASSERT_TRUE(openRecorder(recorder, "/home/player/replays"));
    ::setenv("TZ", "UTC", 1);
    startRecording(recorder, start, now, kSomeNoon);
    play(320);
    const size_t firstSave = hl::fileText(path).size();
    ASSERT_GT(firstSave, 0u);
    hl::setFileSpace(static_cast<long long>(firstSave) + 100);   // room for a few lines, not 10 s of them
    testing::internal::CaptureStderr();
    play(1000);
    finishRecording(recorder, resultAfter(1320));
    const std::string messages = testing::internal::GetCapturedStderr();
    EXPECT_EQ(messages, "Replay not saved: cannot add to " + path + ": No space left on device. The game goes on.\n");
    EXPECT_FALSE(recorder.recording);
    EXPECT_EQ(hl::openFileCount(), 0);
    // What stands is the partial replay of the first 10 s, cut back to its last whole line.
    EXPECT_EQ(hl::fileText(path).size(), firstSave);
    EXPECT_TRUE(read(path).partial);
}

TEST_F(ReplayRecorderTest, AFolderThatCannotBeMadeRecordsNothingAfterOneMessage) {
    hl::setFoldersWritable(false);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(openRecorder(recorder, "/home/player/replays"));
    startRecording(recorder, start, now, kSomeNoon);
    play(400);
    finishRecording(recorder, resultAfter(400));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Replays are not recorded: the folder /home/player/replays cannot be made (Permission denied). The game "
              "goes on.\n");
    EXPECT_TRUE(hl::filePaths().empty());

    // A folder where a file stands.
    hl::resetFiles();
    ASSERT_TRUE(platform::makeFolders("/home"));
    platform::closeFile(platform::createFile("/home/player"));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(openRecorder(recorder, "/home/player/replays"));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("(Not a directory)"), std::string::npos);
}

TEST_F(ReplayRecorderTest, APlayTooLongForTheBufferIsKeptAsAPartialReplayAndGoesOn) {
    ASSERT_TRUE(openRecorder(recorder, "/r", 24 << 10));
    ::setenv("TZ", "UTC", 1);
    startRecording(recorder, start, now, kSomeNoon);
    testing::internal::CaptureStderr();
    play(5000);   // far more lines than 24 KiB hold
    finishRecording(recorder, resultAfter(5000));
    const std::string messages = testing::internal::GetCapturedStderr();
    EXPECT_EQ(messages.rfind("Replay: the play outgrew the 0 MiB kept for its recording; it is saved up to frame ", 0),
              0u)
        << messages;
    EXPECT_EQ(messages.find('\n'), messages.size() - 1) << "one message: " << messages;
    const Replay kept = read("/r/mossbloom-2026-11-02-120000-clover.replay");
    EXPECT_TRUE(kept.partial);
    EXPECT_GT(kept.frames, 1000);
    EXPECT_LT(kept.frames, 5000);
    EXPECT_EQ(hl::openFileCount(), 0);
}

}  // namespace

// What every implementation of the platform promises the game, checked the same way on each:
// this source is built once with the headless platform and once with SDL (under a real X
// server), each with its own driver (test_support/platform_driver.h) for what a player does.
// Where a promise can only be seen on one of them, the test says so.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "platform/audio.h"
#include "platform/clock.h"
#include "platform/executable_folder.h"
#include "platform/keys.h"
#include "platform/video.h"
#include "platform/window.h"
#include "test_support/platform_driver.h"
#include "test_support/sound_files.h"

#ifndef MOSSBLOOM_CONTRACT_SUITE
#error "MOSSBLOOM_CONTRACT_SUITE names the backend's test suite (HeadlessPlatform or SdlPlatform)"
#endif
// The suite takes the backend's name, so that both programs' tests can be told apart.
#define CONTRACT_TEST_IN(suite, name) TEST_F(suite, name)
#define CONTRACT_TEST(name) CONTRACT_TEST_IN(MOSSBLOOM_CONTRACT_SUITE, name)

namespace {

namespace fs = std::filesystem;
using platform::Vertex;

class MOSSBLOOM_CONTRACT_SUITE : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(platformdriver::openWindow()) << "no window to test in"; }
    void TearDown() override { platformdriver::closeWindow(); }
};

// ---- Keyboard and mouse ---------------------------------------------------------------------

bool keyRead(int key) {
    uint8_t keys[256] = {};
    EXPECT_TRUE(platform::readKeyboard(keys));
    return (keys[key] & 0x80) != 0;
}

platform::MouseReading mouseRead() {
    platform::MouseReading reading;
    EXPECT_TRUE(platform::readMouse(reading));
    return reading;
}

bool buttonRead(int button) { return (mouseRead().buttons[button] & 0x80) != 0; }

CONTRACT_TEST(AHeldKeyOrButtonReadsDownAtEveryReadingUntilLetGo) {
    ASSERT_TRUE(platformdriver::holdKey(platform::DIK_A, true));
    ASSERT_TRUE(platformdriver::holdButton(1, true));
    for (int reading = 0; reading < 3; ++reading) {
        EXPECT_TRUE(keyRead(platform::DIK_A)) << "reading " << reading;
        EXPECT_TRUE(buttonRead(1)) << "reading " << reading;
    }
    EXPECT_FALSE(keyRead(platform::DIK_SPACE)) << "only the key that is down";
    EXPECT_FALSE(buttonRead(0));
    ASSERT_TRUE(platformdriver::holdKey(platform::DIK_A, false));
    ASSERT_TRUE(platformdriver::holdButton(1, false));
    EXPECT_FALSE(keyRead(platform::DIK_A));
    EXPECT_FALSE(buttonRead(1));
}

// A touchpad's tap or a quick key: pressed and released before the frame reads the state.
CONTRACT_TEST(APressAndReleaseBetweenTwoReadingsReadsDownOnceThenUp) {
    keyRead(platform::DIK_SPACE);
    mouseRead();
    ASSERT_TRUE(platformdriver::tapKey(platform::DIK_SPACE));
    ASSERT_TRUE(platformdriver::tapButton(0));
    EXPECT_TRUE(keyRead(platform::DIK_SPACE));
    EXPECT_TRUE(buttonRead(0));
    EXPECT_FALSE(keyRead(platform::DIK_SPACE)) << "read once";
    EXPECT_FALSE(buttonRead(0)) << "read once";

    // Let go and pressed again between two readings: up for one reading.
    ASSERT_TRUE(platformdriver::holdKey(platform::DIK_RETURN, true));
    EXPECT_TRUE(keyRead(platform::DIK_RETURN));
    ASSERT_TRUE(platformdriver::holdKey(platform::DIK_RETURN, false));
    ASSERT_TRUE(platformdriver::holdKey(platform::DIK_RETURN, true));
    EXPECT_FALSE(keyRead(platform::DIK_RETURN));
    EXPECT_TRUE(keyRead(platform::DIK_RETURN));
    ASSERT_TRUE(platformdriver::holdKey(platform::DIK_RETURN, false));
}

CONTRACT_TEST(PointerMotionAndTheWheelAreReportedByOneReadingOnly) {
    mouseRead();
    ASSERT_TRUE(platformdriver::movePointer(7, -5));
    platform::MouseReading first = mouseRead();
    EXPECT_EQ(first.dx, 7);
    EXPECT_EQ(first.dy, -5);
    platform::MouseReading second = mouseRead();
    EXPECT_EQ(second.dx, 0);
    EXPECT_EQ(second.dy, 0);

    ASSERT_TRUE(platformdriver::turnWheel(2));
    EXPECT_EQ(mouseRead().wheel, 2);
    ASSERT_TRUE(platformdriver::turnWheel(-1));
    EXPECT_EQ(mouseRead().wheel, -1);
    EXPECT_EQ(mouseRead().wheel, 0);
}

// A window in the background reads no keyboard and no mouse; what happened there is not
// read once it is in front again.
CONTRACT_TEST(WithoutFocusTheKeyboardAndMouseCannotBeRead) {
    ASSERT_TRUE(platformdriver::setFocus(false));
    uint8_t keys[256] = {};
    platform::MouseReading reading;
    EXPECT_FALSE(platform::readKeyboard(keys));
    EXPECT_FALSE(platform::readMouse(reading));
    EXPECT_FALSE(platform::readKeyboard(keys)) << "every reading, not just the first";

    ASSERT_TRUE(platformdriver::setFocus(true));
    EXPECT_FALSE(keyRead(platform::DIK_SPACE));
    EXPECT_FALSE(buttonRead(0));
    ASSERT_TRUE(platformdriver::tapKey(platform::DIK_SPACE));
    EXPECT_TRUE(keyRead(platform::DIK_SPACE)) << "in front again, the keys read as before";
}

// ---- Textures and drawing -------------------------------------------------------------------

const std::vector<uint32_t> kWhite(16 * 16, 0xFFFFFFFFu);

int makeTexture(int width = 3, int height = 5) { return platform::createTexture(kWhite.data(), width, height); }

// A quad over (10, 10) .. (30, 30) showing the whole texture.
struct Quad {
    Vertex v[4] = {{10, 10, 0xFFFF0000u, 0, 0}, {30, 10, 0xFFFF0000u, 1, 0}, {30, 30, 0xFFFF0000u, 1, 1},
                   {10, 30, 0xFFFF0000u, 0, 1}};
};

bool drawQuad(const Quad& q, int texture = platform::kNoTexture) {
    return platform::drawTriangleFan(q.v, 4, texture, {}, platform::Filter::Nearest);
}

CONTRACT_TEST(TexturesArePaddedToPowersOfTwoAndAReleasedHandleIsGivenOutAgain) {
    const int first = makeTexture(3, 5);
    const int second = makeTexture(16, 16);
    ASSERT_EQ(first, 0) << "the lowest free handle";
    ASSERT_EQ(second, 1);
    int w = 0, h = 0;
    platform::textureSize(first, w, h);
    EXPECT_EQ(w, 4);
    EXPECT_EQ(h, 8);
    platform::textureSize(second, w, h);
    EXPECT_EQ(w, 16);
    EXPECT_EQ(h, 16);

    platform::destroyTexture(first);
    platform::textureSize(first, w, h);
    EXPECT_EQ(w, 0) << "a released texture has no size";
    EXPECT_FALSE(drawQuad(Quad{}, first)) << "nor can it be drawn";
    platform::destroyTexture(first);   // twice is harmless
    EXPECT_EQ(makeTexture(), first) << "its handle is given out again";
    EXPECT_TRUE(drawQuad(Quad{}, first));
    EXPECT_TRUE(drawQuad(Quad{}, second));
}

CONTRACT_TEST(AtMostTheTextureLimitLivesAndBadImagesAreRefused) {
    std::vector<int> handles;
    for (int i = 0; i < platform::kMaxTextures; ++i) handles.push_back(makeTexture(1, 1));
    for (int i = 0; i < platform::kMaxTextures; ++i) ASSERT_EQ(handles[i], i);
    EXPECT_EQ(makeTexture(1, 1), -1) << "one over the limit";
    platform::destroyTexture(handles[40]);
    EXPECT_EQ(makeTexture(1, 1), 40);
    platform::destroyTexture(40);

    EXPECT_EQ(platform::createTexture(nullptr, 4, 4), -1);
    EXPECT_EQ(platform::createTexture(kWhite.data(), 0, 4), -1);
    EXPECT_EQ(platform::createTexture(kWhite.data(), 4, -1), -1);
    std::vector<uint32_t> tall(8193, 0xFFFFFFFFu);
    EXPECT_EQ(platform::createTexture(tall.data(), 1, 8193), -1) << "over 8192 pixels a side";
    EXPECT_EQ(makeTexture(1, 1), 40) << "a refused image takes no handle";
}

CONTRACT_TEST(DrawsThatAreNotFiniteNumbersOrHaveNoFanAreRefused) {
    const int texture = makeTexture();
    EXPECT_TRUE(drawQuad(Quad{}));
    EXPECT_TRUE(drawQuad(Quad{}, texture));
    EXPECT_TRUE(platform::drawTriangleFan(Quad{}.v, 3, texture, {}, platform::Filter::Linear));
    EXPECT_FALSE(platform::drawTriangleFan(Quad{}.v, 2, texture, {}, platform::Filter::Nearest));
    EXPECT_FALSE(platform::drawTriangleFan(Quad{}.v, 5, texture, {}, platform::Filter::Nearest));
    EXPECT_FALSE(platform::drawTriangleFan(nullptr, 4, texture, {}, platform::Filter::Nearest));
    EXPECT_FALSE(drawQuad(Quad{}, 63)) << "a handle that holds no texture";
    EXPECT_TRUE(platform::drawLine(Quad{}.v, {}));

    const float notFinite[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                               -std::numeric_limits<float>::infinity()};
    for (float bad : notFinite) {
        for (int field = 0; field < 4; ++field) {
            Quad q;
            float* fields[] = {&q.v[2].x, &q.v[2].y, &q.v[2].u, &q.v[2].v};
            *fields[field] = bad;
            EXPECT_FALSE(drawQuad(q, texture)) << "field " << field << " = " << bad;
            EXPECT_FALSE(platform::drawLine(&q.v[1], {})) << "field " << field << " = " << bad;
        }
    }

    // Only the SDL platform has pixels to look at: a refused draw leaves them as they were.
    std::vector<uint32_t> before(640 * 480), after(640 * 480);
    if (platform::readBackBuffer(before.data())) {
        Quad q;
        q.v[0].x = std::numeric_limits<float>::quiet_NaN();
        EXPECT_FALSE(drawQuad(q));
        ASSERT_TRUE(platform::readBackBuffer(after.data()));
        EXPECT_EQ(before, after);
    }
}

CONTRACT_TEST(WithoutVideoNothingIsMadeOrDrawn) {
    const int texture = makeTexture();
    ASSERT_NE(texture, -1);
    platform::shutdownVideo();
    int w = 1, h = 1;
    platform::textureSize(texture, w, h);
    EXPECT_EQ(w, 0) << "shutting the video down releases every texture";
    EXPECT_EQ(makeTexture(), -1);
    EXPECT_FALSE(drawQuad(Quad{}));
    EXPECT_FALSE(platform::drawLine(Quad{}.v, {}));
    ASSERT_TRUE(platform::initVideo());
    EXPECT_EQ(makeTexture(), 0) << "started again, it makes textures from the first handle";
    EXPECT_TRUE(drawQuad(Quad{}, 0));
}

// ---- The window -----------------------------------------------------------------------------

CONTRACT_TEST(ThereIsOneWindowWithItsTitleAndClientSize) {
    EXPECT_FALSE(platform::createWindow("another", 0, 0, 320, 240)) << "only ever one main window";
    EXPECT_STREQ(platform::windowTitle(), "platform contract");
    platform::setWindowTitle("Mossbloom --- 640 × 480");
    EXPECT_STREQ(platform::windowTitle(), "Mossbloom --- 640 × 480");
    const platform::WindowRect r = platform::windowRect();
    EXPECT_EQ(r.right - r.left, 640);
    EXPECT_EQ(r.bottom - r.top, 480);
    EXPECT_FALSE(platform::isFullscreen());

    // Closed, there is nothing to move, measure or show full screen; then it can be had again.
    platform::shutdownVideo();
    platform::destroyWindow();
    platform::moveWindow(0, 0, 800, 600);
    platform::setFullscreen(true);
    EXPECT_FALSE(platform::isFullscreen());
    const platform::WindowRect none = platform::windowRect();
    EXPECT_EQ(none.right - none.left, 0);
    ASSERT_TRUE(platform::createWindow("platform contract", 100, 100, 640, 480));
    const platform::WindowRect again = platform::windowRect();
    EXPECT_EQ(again.right - again.left, 640);
}

// ---- Sound ----------------------------------------------------------------------------------

class SoundFiles {
public:
    SoundFiles() {
        fs::create_directories(folder);
        soundfiles::writeTone(tone, 100);
        soundfiles::writeBytes(music, soundfiles::midiFile(0, 1));
    }
    ~SoundFiles() { fs::remove_all(folder); }
    const fs::path folder = fs::temp_directory_path() / ("mossbloom_contract_" + std::to_string(::getpid()));
    const std::string tone = (folder / "tone.wav").string();
    const std::string music = (folder / "music.mid").string();
    const std::string missing = (folder / "missing.wav").string();
};

CONTRACT_TEST(SoundsLoadOnlyWhileTheOutputIsOpenAndTheirHandlesAreGivenOutAgain) {
    SoundFiles files;
    ASSERT_TRUE(platform::initAudio(8)) << platform::audioFailure();
    EXPECT_STREQ(platform::audioFailure(), "");
    EXPECT_TRUE(platform::initAudio(8)) << "an open output stays open";

    const int effect = platform::loadEffectFile(files.tone.c_str());
    const int music = platform::loadMusicFile(files.music.c_str());
    ASSERT_EQ(effect, 0);
    ASSERT_EQ(music, 1);
    EXPECT_EQ(platform::loadEffectFile(files.missing.c_str()), -1);
    EXPECT_EQ(platform::loadEffectFile(nullptr), -1);
    EXPECT_TRUE(platform::playEffect(effect, 0));
    EXPECT_TRUE(platform::playEffect(effect, -1000)) << "the same effect overlaps itself";
    EXPECT_FALSE(platform::playEffect(music, 0)) << "music is not an effect";
    EXPECT_FALSE(platform::playMusic(effect, 0)) << "nor an effect music";
    platform::stopAllSounds();

    platform::freeSound(effect);
    EXPECT_FALSE(platform::playEffect(effect, 0)) << "a freed sound plays no more";
    EXPECT_EQ(platform::loadEffectFile(files.tone.c_str()), effect) << "its handle is given out again";

    // Up to the limit, and no further.
    int loaded = 2;
    while (loaded < platform::kMaxSounds && platform::loadEffectFile(files.tone.c_str()) == loaded) ++loaded;
    EXPECT_EQ(loaded, platform::kMaxSounds);
    EXPECT_EQ(platform::loadEffectFile(files.tone.c_str()), -1);

    // Closed, the game plays muted: nothing loads or plays, and every handle is gone.
    platform::shutdownAudio();
    EXPECT_FALSE(platform::musicAvailable());
    EXPECT_FALSE(platform::playEffect(effect, 0));
    EXPECT_EQ(platform::loadEffectFile(files.tone.c_str()), -1);
    EXPECT_EQ(platform::loadMusicFile(files.music.c_str()), -1);
    // The files can still be checked, so that a broken installation shows even without sound.
    EXPECT_TRUE(platform::checkEffectFile(files.tone.c_str()));
    EXPECT_TRUE(platform::checkMusicFile(files.music.c_str()));
    EXPECT_FALSE(platform::checkEffectFile(files.missing.c_str()));

    ASSERT_TRUE(platform::initAudio(8)) << "opened again (F3)";
    EXPECT_EQ(platform::loadEffectFile(files.tone.c_str()), 0);
    platform::shutdownAudio();
}

// ---- Clock and the program's folder ---------------------------------------------------------

// The headless clock stands still but for the sleeps; SDL's runs on. Both never go back, and a
// sleep moves them on by at least its length.
CONTRACT_TEST(TheClockNeverGoesBackAndASleepMovesItOn) {
    uint32_t last = platform::ticksMs();
    for (int i = 0; i < 5; ++i) {
        const uint32_t before = platform::ticksMs();
        platform::sleepMs(3);
        const uint32_t after = platform::ticksMs();
        EXPECT_GE(before, last);
        EXPECT_GE(after - before, 3u);
        last = after;
    }
    // The calendar is the machine's, in seconds since 1970.
    const int64_t now = static_cast<int64_t>(std::time(nullptr));
    EXPECT_LE(std::llabs(platform::calendarSeconds() - now), 5);
}

// SDL really enters the folder where the program (and so its images and sounds) lies; the
// headless platform leaves the working directory as it is.
CONTRACT_TEST(TheProgramEntersItsOwnFolder) {
    const fs::path before = fs::current_path();
    ASSERT_TRUE(platform::enterExecutableFolder()) << platform::executableFolderFailure();
    EXPECT_STREQ(platform::executableFolderFailure(), "");
    const fs::path after = fs::current_path();
    fs::current_path(before);
    const fs::path programFolder = fs::read_symlink("/proc/self/exe").parent_path();
    EXPECT_EQ(after, platformdriver::changesWorkingDirectory() ? programFolder : before);
}

}  // namespace

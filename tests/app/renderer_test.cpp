// The renderer's start: images read from their archives without touching the files, a
// read-only installation, and the ending when an image or a sound is missing.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "app/main_window.h"
#include "app_fixture.h"
#include "platform/headless/headless.h"

namespace fs = std::filesystem;
namespace hl = platform::headless;
using apptest::AppTest;

namespace {

using RendererTest = AppTest;
using RendererDeathTest = AppTest;

TEST_F(RendererTest, StartLoadsEveryImageAndLeavesTheArchivesAsTheyWere) {
    std::vector<std::vector<uint8_t>> before;
    for (const ImageEntry& image : kImageTable) before.push_back(apptest::readFile(folder / (std::string(image.file) + ".bnd")));
    startApp();
    for (int i = 0; i < kImageCount; ++i) {
        const ImageEntry& image = kImageTable[i];
        EXPECT_EQ(apptest::readFile(folder / (std::string(image.file) + ".bnd")), before[i]) << image.file;
        const int handle = app->renderer.drawing.device.textures[image.slot].handle;
        ASSERT_NE(handle, platform::kNoTexture) << image.file;
        // Each test image has its own size, so a texture in the wrong slot shows here.
        EXPECT_EQ(hl::videoRecord().textures[handle].imageWidth, 8 + 8 * image.slot) << image.file;
        EXPECT_FALSE(fs::exists(folder / image.file)) << "no plain image may appear";
    }
    EXPECT_FLOAT_EQ(app->renderer.drawing.zoom, 1.0f);
    EXPECT_FLOAT_EQ(app->renderer.drawing.zoomBlend, 1.0f);
    EXPECT_EQ(app->renderer.drawing.backTasks.capacity, kBackTaskCapacity);
    EXPECT_EQ(app->renderer.drawing.frontTasks.capacity, kFrontTaskCapacity);
}

TEST_F(RendererTest, StartPresentsTheLoadingPictureBeforeTheSoundsLoad) {
    startApp();
    EXPECT_GE(hl::videoRecord().presents, 1);
    // The first draw of the program is the black screen of the loading picture.
    ASSERT_FALSE(hl::videoRecord().draws.empty());
    EXPECT_EQ(hl::videoRecord().draws[0].vertices[0].colour, 0xFF000000u);
}

TEST_F(RendererTest, LoadingPictureIsNotPresentedOnASkippedFrame) {
    startApp();
    hl::clearVideoRecord();
    app->renderer.drawing.device.drawEnabled = false;
    drawLoadingScreen(app->renderer.drawing.device, 3);
    EXPECT_TRUE(hl::videoRecord().draws.empty());
    EXPECT_EQ(hl::videoRecord().presents, 0);
    EXPECT_EQ(hl::videoRecord().beginScenes, 1);
}

// Loads every image as a user who cannot write the data folder; exits 0 when all loaded.
void loadFromReadOnlyFolder(const fs::path& folder) {
    if (geteuid() == 0 && setuid(65534) != 0) std::exit(2);
    if (access((folder / "img/logo.png.bnd").c_str(), W_OK) == 0) std::exit(3);  // not read-only
    ASSERT_TRUE(startWindowSystem());
    ASSERT_TRUE(createMainWindow());
    static RandomWords words;
    static Renderer renderer;
    constructRenderer(renderer, words);
    loadRemainingImages(renderer);
    for (const ImageEntry& image : kImageTable) {
        if (renderer.drawing.device.textures[image.slot].handle == platform::kNoTexture) std::exit(4);
    }
    std::exit(0);
}

TEST_F(RendererDeathTest, ImagesLoadFromAReadOnlyFolder) {
    ::testing::FLAGS_gtest_death_test_style = "threadsafe";
    for (const fs::directory_entry& entry : fs::directory_iterator(folder / "img")) {
        fs::permissions(entry.path(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    }
    const fs::perms readOnlyFolder = fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                     fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec;
    fs::permissions(folder / "img", readOnlyFolder);
    fs::permissions(folder, readOnlyFolder);
    EXPECT_EXIT(loadFromReadOnlyFolder(folder), ::testing::ExitedWithCode(0), "");
    fs::permissions(folder, fs::perms::owner_all);
    fs::permissions(folder / "img", fs::perms::owner_all);
}

TEST_F(RendererDeathTest, MissingImageArchiveEndsWithTheTextureError) {
    ::testing::FLAGS_gtest_death_test_style = "threadsafe";
    fs::remove(folder / "img/effect.png.bnd");
    EXPECT_EXIT(startApp(), ::testing::ExitedWithCode(1), "テクスチャの作成に失敗しました。\nCould not load the image img/effect\\.png\\.bnd");
}

TEST_F(RendererDeathTest, UnscrambledArchiveLeftByACrashEndsWithTheTextureError) {
    ::testing::FLAGS_gtest_death_test_style = "threadsafe";
    apptest::writePng((folder / "img/bg_filter.png.bnd").string(), 16);   // a plain PNG under the archive name
    EXPECT_EXIT(startApp(), ::testing::ExitedWithCode(1),
                "テクスチャの作成に失敗しました。\nCould not decode the image img/bg_filter\\.png\\.bnd");
}

void reportPresentsAtExit() { std::fprintf(stderr, "pictures shown: %d\n", hl::videoRecord().presents); }

// The loading picture draws from the interface sheet alone: it is on screen before the other
// images load, so a missing one is reported over it, and a missing interface sheet before it.
TEST_F(RendererDeathTest, LoadingPictureIsShownBeforeTheOtherImagesLoad) {
    ::testing::FLAGS_gtest_death_test_style = "threadsafe";
    fs::remove(folder / "img/objects.png.bnd");
    EXPECT_EXIT(
        {
            std::atexit(reportPresentsAtExit);
            startApp();
        },
        ::testing::ExitedWithCode(1), "Could not load the image img/objects\\.png\\.bnd\npictures shown: 1\n");
    fs::remove(folder / "img/logo.png.bnd");
    EXPECT_EXIT(
        {
            std::atexit(reportPresentsAtExit);
            startApp();
        },
        ::testing::ExitedWithCode(1), "Could not load the image img/logo\\.png\\.bnd\npictures shown: 0\n");
}

TEST_F(RendererDeathTest, MissingSoundFileEndsWithTheLoadError) {
    ::testing::FLAGS_gtest_death_test_style = "threadsafe";
    hl::assumeAudioFilesExist(false);   // there is no sound folder here
    EXPECT_EXIT(startApp(), ::testing::ExitedWithCode(1), "セグメントのデータロードに失敗しました。");
}

}  // namespace

#include "app_fixture.h"

#include <png.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "app/main_window.h"
#include "platform/headless/headless.h"

namespace apptest {

void writePng(const std::string& path, int size) {
    std::vector<uint8_t> rgba(static_cast<size_t>(size * size * 4), 255);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(size);
    image.height = static_cast<png_uint_32>(size);
    image.format = PNG_FORMAT_RGBA;
    ASSERT_TRUE(png_image_write_to_file(&image, path.c_str(), 0, rgba.data(), 0, nullptr)) << path;
}

void writeImageArchives(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder / "img");
    AssetArchive archive;
    constructAssetArchive(archive, kArchiveKey);
    for (const ImageEntry& image : kImageTable) {
        const std::string plain = (folder / image.file).string();
        // Sizes differ so that some archives are longer than the scrambled head and some not.
        writePng(plain, 8 + 8 * image.slot);
        ASSERT_TRUE(makeArchive(archive, plain.c_str(), 0));
        std::filesystem::remove(plain);
    }
}

std::vector<uint8_t> readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void resetPlatform() {
    namespace hl = platform::headless;
    hl::resetWindow();
    hl::resetInput();
    hl::resetAudio();
    hl::assumeAudioFilesExist(true);
    hl::clearVideoRecord();
    hl::setDrawRecording(true);
    hl::setVideoFailures(false, false);
    hl::clearSleeps();
    hl::clearMessages();
    hl::setTicks(1000);
    mainWindow = MainWindow{};
}

void AppTest::SetUp() {
    resetPlatform();
    previousFolder = std::filesystem::current_path();
    char pattern[] = "/tmp/mossbloom-app-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder = pattern;
    writeImageArchives(folder);
    std::filesystem::current_path(folder);
}

void AppTest::TearDown() {
    if (app) destroyApp(*app);
    app.reset();
    stopWindowSystem();
    std::filesystem::current_path(previousFolder);
    std::error_code ignored;
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(folder, ignored);
}

void AppTest::startApp() {
    ASSERT_TRUE(startWindowSystem());
    readDesktopSize();
    ASSERT_TRUE(createMainWindow());
    app = std::make_unique<App>();
    constructApp(*app);
    // The tests read the cells back from the recorded quads, and the small sheets here leave
    // most cells blank: every sprite is drawn from its whole cell, as the game asks for it.
    app->renderer.drawing.device.spriteTrim = SpriteTrim::WholeCells;
}

void AppTest::holdKeys(std::initializer_list<int> keys) {
    // Each key straight to its state: one held before and still held never reads as let go.
    for (int key = 0; key < 256; ++key)
        platform::headless::setKeyDown(key, std::find(keys.begin(), keys.end(), key) != keys.end());
}

void AppTest::frameWithKeys(std::initializer_list<int> keys) {
    holdKeys(keys);
    runFrame(*app);
}

}  // namespace apptest

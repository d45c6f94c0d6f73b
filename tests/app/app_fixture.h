#pragma once
// A running App on the headless platform, started in a temporary folder that holds small
// image archives (the sounds are taken as present).
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/app.h"

namespace apptest {

// Writes a size x size PNG of one colour (opaque white) to path.
void writePng(const std::string& path, int size);
// Writes the eight image archives under folder/img.
void writeImageArchives(const std::filesystem::path& folder);
std::vector<uint8_t> readFile(const std::filesystem::path& path);
// Every headless recorder and control back to its start.
void resetPlatform();

class AppTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the window and the App in the data folder.
    void startApp();
    // Sets the keys of one frame: the listed keys down, every other key up.
    void holdKeys(std::initializer_list<int> keys);
    // Runs a frame with these keys held (and every other key released).
    void frameWithKeys(std::initializer_list<int> keys);

    std::filesystem::path folder;
    std::filesystem::path previousFolder;
    std::unique_ptr<App> app;
};

}  // namespace apptest

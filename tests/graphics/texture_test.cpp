#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>

#include "graphics/png_image.h"
#include "graphics_test_support.h"
#include "test_png.h"

using namespace graphics_test;

namespace {

// A 3 x 2 image: opaque black, opaque red, half-transparent black / near-black, white, transparent.
const std::vector<uint32_t> kPixels = {0xFF000000u, 0xFFFF0000u, 0x80000000u,
                                       0xFF010000u, 0xFFFFFFFFu, 0x00000000u};

uint32_t chunkCrc(const uint8_t* bytes, size_t size) {
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) {
        crc ^= bytes[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return crc ^ 0xFFFFFFFFu;
}

const platform::headless::TextureRecord& recordOf(const GraphicsDevice& device, int slot) {
    return platform::headless::videoRecord().textures.at(device.textures[slot].handle);
}

}  // namespace

TEST_F(DeviceTest, OnlyOpaqueBlackBecomesTransparentAndTheTextureIsPadded) {
    std::vector<uint8_t> png = encodePng(kPixels, 3, 2);
    ASSERT_FALSE(png.empty());
    ASSERT_TRUE(loadTextureFromMemory(device, 2, png.data(), png.size()));
    EXPECT_EQ(device.textures[2].width, 4);
    EXPECT_EQ(device.textures[2].height, 2);
    const auto& texture = recordOf(device, 2);
    EXPECT_EQ(texture.pixels, (std::vector<uint32_t>{0x00000000u, 0xFFFF0000u, 0x80000000u, 0u,  //
                                                     0xFF010000u, 0xFFFFFFFFu, 0x00000000u, 0u}));
}

TEST_F(DeviceTest, ImagesWithoutAlphaAreKeyedToo) {
    const std::vector<uint32_t> opaque = {0xFF000000u, 0xFF808080u, 0xFFFFFFFFu, 0xFF000000u};
    for (uint32_t format : std::initializer_list<uint32_t>{PNG_FORMAT_RGB, PNG_FORMAT_GRAY, PNG_FORMAT_GA}) {
        std::vector<uint8_t> png = encodePng(opaque, 2, 2, format);
        ASSERT_FALSE(png.empty());
        DecodedImage image;
        ASSERT_TRUE(decodePng(png.data(), png.size(), image)) << format;
        applyColourKey(image);
        EXPECT_EQ(image.pixels, (std::vector<uint32_t>{0u, 0xFF808080u, 0xFFFFFFFFu, 0u})) << format;
    }
}

TEST_F(DeviceTest, ReloadingASlotReleasesItsOldTexture) {
    std::vector<uint8_t> png = encodePng(kPixels, 3, 2);
    loadTextureFromMemory(device, 0, png.data(), png.size());
    int first = device.textures[0].handle;
    std::string path = ::testing::TempDir() + "gfx_reload.png";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(png.data()), png.size());
    ASSERT_TRUE(loadTexture(device, 0, path.c_str()));
    std::remove(path.c_str());
    // Released first, so its handle is given out again and only one texture lives.
    EXPECT_EQ(device.textures[0].handle, first);
    const auto& textures = platform::headless::videoRecord().textures;
    EXPECT_EQ(std::count_if(textures.begin(), textures.end(), [](const auto& t) { return !t.destroyed; }), 1);
}

TEST(TextureDeath, SlotOutsideTheTableEndsTheProgram) {
    GraphicsDevice device;
    EXPECT_EXIT(loadTexture(device, 8, "img/objects.png"), ::testing::ExitedWithCode(1), "Texture index error.");
    EXPECT_EXIT(loadTexture(device, -1, "img/objects.png"), ::testing::ExitedWithCode(1), "Texture index error.");
}

TEST(TextureDeath, DamagedImagesFailWithTheTextureMessage) {
    std::vector<uint8_t> png = encodePng(std::vector<uint32_t>(64 * 64, 0xFF336699u), 64, 64);
    ASSERT_GT(png.size(), 60u);
    GraphicsDevice device;
    // Cut inside the image data, cut inside the header, a damaged byte in the pixel data.
    for (size_t keep : {png.size() - 20, static_cast<size_t>(20)})
        EXPECT_EXIT(loadTextureFromMemory(device, 1, png.data(), keep), ::testing::ExitedWithCode(1),
                    "テクスチャの作成に失敗しました。");
    std::vector<uint8_t> damaged = png;
    damaged[damaged.size() / 2] ^= 0x5A;
    EXPECT_EXIT(loadTextureFromMemory(device, 1, damaged.data(), damaged.size(), "img/damaged.png.bnd"),
                ::testing::ExitedWithCode(1), "テクスチャの作成に失敗しました。\nCould not decode the image img/damaged\\.png\\.bnd");
    EXPECT_EXIT(loadTexture(device, 1, "no/such/file.png"), ::testing::ExitedWithCode(1),
                "テクスチャの作成に失敗しました。\nCould not load the image no/such/file\\.png");
}

TEST(PngDecode, RefusesEmptyAndOversizedInput) {
    DecodedImage image;
    EXPECT_FALSE(decodePng(nullptr, 0, image));
    // A header that claims 100000 x 100000 pixels is refused before anything is allocated for it.
    std::vector<uint8_t> png = encodePng({0xFFFFFFFFu}, 1, 1);
    png[16] = 0x00, png[17] = 0x01, png[18] = 0x86, png[19] = 0xA0;  // IHDR width, big-endian
    png[20] = 0x00, png[21] = 0x01, png[22] = 0x86, png[23] = 0xA0;  // and height
    uint32_t crc = chunkCrc(&png[12], 17);                          // type and data of IHDR
    png[29] = crc >> 24, png[30] = crc >> 16, png[31] = crc >> 8, png[32] = crc;
    EXPECT_FALSE(decodePng(png.data(), png.size(), image));
    EXPECT_TRUE(image.pixels.empty());
}

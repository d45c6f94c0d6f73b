#include <cstdio>
#include <vector>

#include "graphics/graphics_device.h"
#include "graphics/png_image.h"
#include "platform/message.h"

namespace {

constexpr long kMaxImageFileBytes = 256L * 1024 * 1024;

void checkTextureIndex(int index) {
    if (index < 0 || index >= kTextureCount) platform::fatal("Texture index error.");
}

void releaseSlot(TextureSlot& slot) {
    if (slot.handle != platform::kNoTexture) platform::destroyTexture(slot.handle);
    slot = TextureSlot{};
}

[[noreturn]] void textureFailed() { platform::fatal("テクスチャの作成に失敗しました。"); }

bool readWholeFile(const char* path, std::vector<uint8_t>& bytes) {
    std::FILE* f = path ? std::fopen(path, "rb") : nullptr;
    if (!f) return false;
    bool ok = std::fseek(f, 0, SEEK_END) == 0;
    long size = ok ? std::ftell(f) : -1;
    ok = ok && size > 0 && size <= kMaxImageFileBytes && std::fseek(f, 0, SEEK_SET) == 0;
    if (ok) {
        bytes.resize(static_cast<size_t>(size));
        ok = std::fread(bytes.data(), 1, bytes.size(), f) == bytes.size();
    }
    std::fclose(f);
    return ok;
}

}  // namespace

bool loadTextureFromMemory(GraphicsDevice& device, int index, const uint8_t* bytes, size_t size) {
    checkTextureIndex(index);
    TextureSlot& slot = device.textures[index];
    releaseSlot(slot);
    DecodedImage image;
    if (!decodePng(bytes, size, image)) textureFailed();
    applyColourKey(image);
    int handle = platform::createTexture(image.pixels.data(), image.width, image.height);
    if (handle == platform::kNoTexture) textureFailed();
    slot.handle = handle;
    platform::textureSize(handle, slot.width, slot.height);
    return true;
}

bool loadTexture(GraphicsDevice& device, int index, const char* path) {
    checkTextureIndex(index);
    std::vector<uint8_t> bytes;
    if (!readWholeFile(path, bytes)) {
        releaseSlot(device.textures[index]);
        textureFailed();
    }
    return loadTextureFromMemory(device, index, bytes.data(), bytes.size());
}

bool createFont(GraphicsDevice& device) {
    if (device.fontCount < 1) platform::fatal("Font index error.");
    FontRecord& font = device.fonts[0];
    font = FontRecord{};
    font.height = 12;
    font.weight = 700;
    font.charSet = 128;
    font.quality = 2;
    font.pitchAndFamily = 1;
    font.faceName = "ＭＳ ゴシック";
    font.created = true;
    return true;
}

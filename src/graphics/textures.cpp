#include <cstdio>
#include <vector>

#include "graphics/graphics_device.h"
#include "graphics/png_image.h"
#include "platform/message.h"

namespace {

constexpr long kMaxImageFileBytes = 256L * 1024 * 1024;

void checkTextureIndex(int index) {
    if (index < 0 || index >= kTextureCount) {
        char detail[128];
        std::snprintf(detail, sizeof(detail), "Could not load an image: texture slot %d does not exist.", index);
        platform::fatal("Texture index error.", detail);
    }
}

void releaseSlot(TextureSlot& slot) {
    if (slot.handle != platform::kNoTexture) platform::destroyTexture(slot.handle);
    slot = TextureSlot{};
}

// what: "load" or "decode"; name: the file, or nullptr for an image from memory.
[[noreturn]] void textureFailed(const char* what, const char* name) {
    char detail[512];
    if (name) {
        std::snprintf(detail, sizeof(detail), "Could not %s the image %s", what, name);
    } else {
        std::snprintf(detail, sizeof(detail), "Could not %s an image.", what);
    }
    platform::fatal("テクスチャの作成に失敗しました。", detail);
}

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

bool loadTextureFromMemory(GraphicsDevice& device, int index, const uint8_t* bytes, size_t size,
                           const char* name) {
    checkTextureIndex(index);
    TextureSlot& slot = device.textures[index];
    releaseSlot(slot);
    DecodedImage image;
    if (!decodePng(bytes, size, image)) textureFailed("decode", name);
    applyColourKey(image);
    int handle = platform::createTexture(image.pixels.data(), image.width, image.height);
    if (handle == platform::kNoTexture) textureFailed("make a texture of", name);
    slot.handle = handle;
    platform::textureSize(handle, slot.width, slot.height);
    buildVisibleTexels(slot.visible, image.pixels.data(), image.width, image.height);
    return true;
}

bool loadTexture(GraphicsDevice& device, int index, const char* path) {
    checkTextureIndex(index);
    std::vector<uint8_t> bytes;
    if (!readWholeFile(path, bytes)) {
        releaseSlot(device.textures[index]);
        textureFailed("load", path);
    }
    return loadTextureFromMemory(device, index, bytes.data(), bytes.size(), path);
}

#include "app/renderer.h"

#include <cstdio>
#include <string>
#include <vector>

#include "platform/message.h"

namespace {

constexpr const char* kTextureFailed = "テクスチャの作成に失敗しました。";

}  // namespace

void constructRenderer(Renderer& r, RandomWords& words) {
    constructDrawContext(r.drawing, words);
    constructAssetArchive(r.archive, kArchiveKey);
    r.windowed = true;
    reseedFromClock(r.drawing.effectsRandom);
    r.hudHidden = false;
    r.hudSlide = 0;
    initGraphics(r.drawing.device, r.windowed);
    for (int i = 0; i < kLoadingPictureImages; ++i) loadImage(r, kImageTable[i].slot, kImageTable[i].file);
}

void loadRemainingImages(Renderer& r) {
    for (int i = kLoadingPictureImages; i < kImageCount; ++i) loadImage(r, kImageTable[i].slot, kImageTable[i].file);
}

void destroyRenderer(Renderer& r) {
    destroyDrawContext(r.drawing);
    releaseGraphics(r.drawing.device);
}

void loadImage(Renderer& r, int slot, const char* file) {
    const std::string archivePath = std::string(file) + ".bnd";
    std::vector<uint8_t> bytes;
    if (!unscrambleIntoMemory(r.archive, archivePath.c_str(), bytes)) {
        char detail[512];
        std::snprintf(detail, sizeof(detail), "Could not load the image %s", archivePath.c_str());
        platform::fatal(kTextureFailed, detail);
    }
    loadTextureFromMemory(r.drawing.device, slot, bytes.data(), bytes.size(), archivePath.c_str());
}

void drawLoadingScreen(GraphicsDevice& d, uint32_t frame) {
    drawRect(d, BlendMode::Alpha, 0.0f, 0.0f, 640, 480, {0, 0, 0}, true);
    // The three parts of the picture glow additively on the black: a word, the spinner, a word.
    const int spin = static_cast<int>((5u * frame) % 360u);
    drawSprite(d, Sheet::Interface, BlendMode::Additive, 386.0f, 450.0f, {0, 340, 123, 50}, 1.0f, 1.0f, 0,
               {255, 255, 255});
    drawSprite(d, Sheet::Interface, BlendMode::Additive, 464.0f, 450.0f, {123, 340, 33, 50}, 1.0f, 1.0f, spin,
               {255, 255, 255});
    drawSprite(d, Sheet::Interface, BlendMode::Additive, 558.0f, 450.0f, {156, 340, 154, 50}, 1.0f, 1.0f, 0,
               {255, 255, 255});
    endScene(d);
    presentFrame(d);
    beginScene(d);
}

#include "platform/video.h"

#include <algorithm>

#include "platform/headless/headless.h"

namespace platform {

namespace {

headless::VideoRecord gRecord;
bool gKeepDraws = true;
bool gInitFails = false;
bool gTextureFails = false;

int nextPowerOfTwo(int n) {
    int p = 1;
    while (p < n) p <<= 1;
    return p;
}

bool liveTexture(int texture) {
    return texture >= 0 && texture < static_cast<int>(gRecord.textures.size()) && !gRecord.textures[texture].destroyed;
}

void record(const headless::DrawCall& call) {
    ++gRecord.drawCount;
    if (gKeepDraws) gRecord.draws.push_back(call);
}

void recordPictureCopy(headless::DrawKind kind) {
    if (!gKeepDraws) return;
    headless::DrawCall call;
    call.kind = kind;
    gRecord.draws.push_back(call);
}

}  // namespace

bool initVideo() {
    if (gInitFails) return false;
    gRecord.videoInitialised = true;
    return true;
}

void shutdownVideo() {
    for (auto& t : gRecord.textures) t.destroyed = true;
    gRecord.videoInitialised = false;
}

int createTexture(const uint32_t* argb, int width, int height) {
    if (gTextureFails || !argb || width <= 0 || height <= 0 || width > 8192 || height > 8192) return -1;
    headless::TextureRecord t;
    t.handle = static_cast<int>(gRecord.textures.size());
    t.imageWidth = width;
    t.imageHeight = height;
    t.width = nextPowerOfTwo(width);
    t.height = nextPowerOfTwo(height);
    t.pixels.assign(static_cast<size_t>(t.width) * t.height, 0u);
    for (int y = 0; y < height; ++y)
        std::copy(argb + static_cast<size_t>(y) * width, argb + static_cast<size_t>(y + 1) * width,
                  t.pixels.begin() + static_cast<size_t>(y) * t.width);
    gRecord.textures.push_back(std::move(t));
    return gRecord.textures.back().handle;
}

void destroyTexture(int texture) {
    if (liveTexture(texture)) gRecord.textures[texture].destroyed = true;
}

void textureSize(int texture, int& width, int& height) {
    if (!liveTexture(texture)) {
        width = height = 0;
        return;
    }
    width = gRecord.textures[texture].width;
    height = gRecord.textures[texture].height;
}

bool drawTriangleFan(const Vertex* vertices, int count, int texture, Blend blend, Filter filter) {
    if (!vertices || count < 3 || count > 4) return false;
    if (texture != kNoTexture && !liveTexture(texture)) return false;
    headless::DrawCall call;
    call.kind = headless::DrawKind::TriangleFan;
    std::copy(vertices, vertices + count, call.vertices);
    call.count = count;
    call.texture = texture;
    call.blend = blend;
    call.filter = filter;
    record(call);
    return true;
}

bool drawLine(const Vertex* vertices, Blend blend) {
    if (!vertices) return false;
    headless::DrawCall call;
    call.kind = headless::DrawKind::Line;
    std::copy(vertices, vertices + 2, call.vertices);
    call.count = 2;
    call.blend = blend;
    record(call);
    return true;
}

void beginScene() { ++gRecord.beginScenes; }
void endScene() { ++gRecord.endScenes; }
void keepScenePicture() { recordPictureCopy(headless::DrawKind::KeepScenePicture); }
void showKeptScenePicture() { recordPictureCopy(headless::DrawKind::ShowKeptScenePicture); }
void present() { ++gRecord.presents; }

// There are no pixels without a renderer.
bool readBackBuffer(uint32_t*) { return false; }

namespace headless {

const VideoRecord& videoRecord() { return gRecord; }

void clearVideoRecord() {
    gRecord.draws.clear();
    gRecord.drawCount = 0;
    gRecord.presents = gRecord.beginScenes = gRecord.endScenes = 0;
}

void setDrawRecording(bool on) { gKeepDraws = on; }

void setVideoFailures(bool initFails, bool textureFails) {
    gInitFails = initFails;
    gTextureFails = textureFails;
}

}  // namespace headless

}  // namespace platform

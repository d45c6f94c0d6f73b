#include "platform/video.h"

#include <algorithm>
#include <cmath>

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

// The lowest handle no live texture holds, or kNoTexture when all of them are taken.
int freeTextureHandle() {
    for (int handle = 0; handle < kMaxTextures; ++handle) {
        if (!liveTexture(handle)) return handle;
    }
    return kNoTexture;
}

bool finite(const Vertex& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.u) && std::isfinite(v.v);
}

bool allFinite(const Vertex* vertices, int count) {
    return std::all_of(vertices, vertices + count, finite);
}

void record(const headless::DrawCall& call) {
    ++gRecord.drawCount;
    if (gKeepDraws) gRecord.draws.push_back(call);
}

void recordPictureCopy(headless::DrawKind kind) {
    if (!gKeepDraws || !gRecord.videoInitialised) return;
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
    // As with SDL, nothing is made or drawn before initVideo or after shutdownVideo.
    if (!gRecord.videoInitialised || gTextureFails || !argb) return -1;
    if (width <= 0 || height <= 0 || width > 8192 || height > 8192) return -1;
    const int handle = freeTextureHandle();
    if (handle == kNoTexture) return -1;
    headless::TextureRecord t;
    t.handle = handle;
    t.imageWidth = width;
    t.imageHeight = height;
    t.width = nextPowerOfTwo(width);
    t.height = nextPowerOfTwo(height);
    t.pixels.assign(static_cast<size_t>(t.width) * t.height, 0u);
    for (int y = 0; y < height; ++y)
        std::copy(argb + static_cast<size_t>(y) * width, argb + static_cast<size_t>(y + 1) * width,
                  t.pixels.begin() + static_cast<size_t>(y) * t.width);
    if (handle == static_cast<int>(gRecord.textures.size())) {
        gRecord.textures.push_back(std::move(t));
    } else {
        gRecord.textures[handle] = std::move(t);
    }
    return handle;
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
    if (!gRecord.videoInitialised || !vertices || count < 3 || count > 4 || !allFinite(vertices, count)) return false;
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
    if (!gRecord.videoInitialised || !vertices || !allFinite(vertices, 2)) return false;
    headless::DrawCall call;
    call.kind = headless::DrawKind::Line;
    std::copy(vertices, vertices + 2, call.vertices);
    call.count = 2;
    call.blend = blend;
    record(call);
    return true;
}

void beginScene() {
    if (gRecord.videoInitialised) ++gRecord.beginScenes;
}
void keepScenePicture() { recordPictureCopy(headless::DrawKind::KeepScenePicture); }
void dropKeptScenePicture() { recordPictureCopy(headless::DrawKind::DropKeptScenePicture); }
void showKeptScenePicture() { recordPictureCopy(headless::DrawKind::ShowKeptScenePicture); }
void present() {
    if (gRecord.videoInitialised) ++gRecord.presents;
}

// There are no pixels without a renderer.
bool readBackBuffer(uint32_t*) { return false; }

namespace headless {

const VideoRecord& videoRecord() { return gRecord; }

void clearVideoRecord() {
    gRecord.draws.clear();
    gRecord.drawCount = 0;
    gRecord.presents = gRecord.beginScenes = 0;
}

void setDrawRecording(bool on) { gKeepDraws = on; }

void setVideoFailures(bool initFails, bool textureFails) {
    gInitFails = initFails;
    gTextureFails = textureFails;
}

}  // namespace headless

}  // namespace platform

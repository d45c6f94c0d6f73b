#include "platform/video.h"

#include <SDL.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/sdl/sdl_window.h"
#include "platform/window.h"

namespace platform {

namespace {

// Each image is uploaded twice: the quad path samples the nearest texel, the alpha sprite
// path filters linearly, and SDL keeps the filter with the texture.
struct TextureEntry {
    SDL_Texture* nearest = nullptr;
    SDL_Texture* linear = nullptr;
    int width = 0, height = 0;  // padded to powers of two
    // The blend each was given last: setting the same one again changes nothing.
    SDL_BlendMode nearestBlend = SDL_BLENDMODE_INVALID, linearBlend = SDL_BLENDMODE_INVALID;
};

constexpr int kMaxTextureSide = 8192;

SDL_Renderer* gRenderer = nullptr;
SDL_Texture* gTarget = nullptr;     // the 640 x 480 back buffer every draw goes into
SDL_Texture* gKept = nullptr;       // the last scene picture, shown again while paused
SDL_Texture* gCorner = nullptr;     // the notes' corner of a kept picture still in the back buffer
SDL_ScaleMode gTargetScaleMode = SDL_ScaleModeLinear;  // how the back buffer is scaled to the window
TextureEntry gTextures[kMaxTextures];
SDL_BlendMode gDrawBlend = SDL_BLENDMODE_INVALID;  // the blend of untextured draws, set last

// A refused call is reported once per kind, so a broken frame does not flood standard error.
enum ReportKind {
    kReportGeometry, kReportBlend, kReportLine, kReportTarget, kReportPresent, kReportRead, kReportKeep, kReportCount
};
bool gReported[kReportCount] = {};

void reportSdlError(const char* what) {
    std::fprintf(stderr, "%s: %s\n", what, SDL_GetError());
    std::fflush(stderr);
}

void reportOnce(ReportKind kind, const char* what) {
    if (gReported[kind]) return;
    gReported[kind] = true;
    reportSdlError(what);
}

int nextPowerOfTwo(int n) {
    int p = 1;
    while (p < n) p <<= 1;
    return p;
}

SDL_BlendFactor sdlFactor(BlendFactor f) {
    switch (f) {
        case BlendFactor::Zero: return SDL_BLENDFACTOR_ZERO;
        case BlendFactor::One: return SDL_BLENDFACTOR_ONE;
        case BlendFactor::SrcAlpha: return SDL_BLENDFACTOR_SRC_ALPHA;
        case BlendFactor::InvSrcAlpha: return SDL_BLENDFACTOR_ONE_MINUS_SRC_ALPHA;
        case BlendFactor::DestColour: return SDL_BLENDFACTOR_DST_COLOR;
        case BlendFactor::InvDestColour: return SDL_BLENDFACTOR_ONE_MINUS_DST_COLOR;
        case BlendFactor::SrcColour: return SDL_BLENDFACTOR_SRC_COLOR;
        case BlendFactor::InvSrcColour: return SDL_BLENDFACTOR_ONE_MINUS_SRC_COLOR;
    }
    return SDL_BLENDFACTOR_ONE;
}

// Colour follows the game's factors; the back buffer's alpha is left as it is (opaque), like
// a back buffer without an alpha channel.
SDL_BlendMode sdlBlend(Blend blend) {
    return SDL_ComposeCustomBlendMode(sdlFactor(blend.source), sdlFactor(blend.destination), SDL_BLENDOPERATION_ADD,
                                      SDL_BLENDFACTOR_ZERO, SDL_BLENDFACTOR_ONE, SDL_BLENDOPERATION_ADD);
}

bool validTexture(int texture) {
    return texture >= 0 && texture < kMaxTextures && gTextures[texture].nearest != nullptr;
}

// A vertex while a triangle is clipped: position, colour channels and texture coordinate.
struct ClipVertex {
    float x, y;
    float r, g, b, a;
    float u, v;
};

ClipVertex clipVertexOf(const Vertex& v) {
    return {v.x,
            v.y,
            static_cast<float>((v.colour >> 16) & 255),
            static_cast<float>((v.colour >> 8) & 255),
            static_cast<float>(v.colour & 255),
            static_cast<float>(v.colour >> 24),
            v.u,
            v.v};
}

ClipVertex lerp(const ClipVertex& p, const ClipVertex& q, float t) {
    auto mix = [t](float a, float b) { return a + (b - a) * t; };
    return {mix(p.x, q.x), mix(p.y, q.y), mix(p.r, q.r), mix(p.g, q.g),
            mix(p.b, q.b), mix(p.a, q.a), mix(p.u, q.u), mix(p.v, q.v)};
}

// Signed distance of a vertex inside one edge of the texture square (>= 0 is inside).
float insideDistance(const ClipVertex& p, int edge) {
    switch (edge) {
        case 0: return p.u;
        case 1: return 1.0f - p.u;
        case 2: return p.v;
        default: return 1.0f - p.v;
    }
}

constexpr int kMaxClipVertices = 8;  // a triangle clipped by four edges has at most 7 corners

// Clips a polygon to 0 <= u, v <= 1 (Sutherland-Hodgman); returns the new corner count.
int clipToTextureSquare(ClipVertex* poly, int count) {
    ClipVertex scratch[kMaxClipVertices];
    for (int edge = 0; edge < 4 && count > 0; ++edge) {
        int out = 0;
        for (int i = 0; i < count; ++i) {
            const ClipVertex& p = poly[i];
            const ClipVertex& q = poly[(i + 1) % count];
            float dp = insideDistance(p, edge), dq = insideDistance(q, edge);
            if (dp >= 0) scratch[out++] = p;
            if ((dp >= 0) != (dq >= 0)) scratch[out++] = lerp(p, q, dp / (dp - dq));
        }
        std::memcpy(poly, scratch, sizeof(ClipVertex) * out);
        count = out;
    }
    // Rounding can leave a coordinate a hair outside, which SDL would refuse.
    for (int i = 0; i < count; ++i) {
        poly[i].u = std::fmin(1.0f, std::fmax(0.0f, poly[i].u));
        poly[i].v = std::fmin(1.0f, std::fmax(0.0f, poly[i].v));
    }
    return count;
}

Uint8 channel(float c) {
    float r = std::nearbyint(c);
    return static_cast<Uint8>(r < 0 ? 0 : r > 255 ? 255 : r);
}

// Direct3D puts pixel centres on whole coordinates, OpenGL half a pixel further on.
SDL_Vertex sdlVertex(const ClipVertex& p) {
    SDL_Vertex v;
    v.position = {p.x + 0.5f, p.y + 0.5f};
    v.color = {channel(p.r), channel(p.g), channel(p.b), channel(p.a)};
    v.tex_coord = {p.u, p.v};
    return v;
}

bool finite(const Vertex& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.u) && std::isfinite(v.v);
}

bool outsideTextureSquare(const Vertex& v) { return v.u < 0 || v.u > 1 || v.v < 0 || v.v > 1; }

constexpr int kMaxFanVertices = 4;

// True for an untextured quad of one opaque colour over the whole back buffer, blended so that
// an opaque source replaces what is there (the ordinary blend, or the factors before any is set).
bool replacesTheWholePicture(const Vertex* q, Blend blend) {
    const bool replaces = (blend.source == BlendFactor::SrcAlpha && blend.destination == BlendFactor::InvSrcAlpha) ||
                          (blend.source == BlendFactor::One && blend.destination == BlendFactor::Zero);
    if (!replaces || (q[0].colour >> 24) != 255) return false;
    for (int i = 1; i < 4; ++i)
        if (q[i].colour != q[0].colour) return false;
    // Corners 0 to 3 clockwise from the top-left, lying on or outside the screen's edges.
    return q[0].x == q[3].x && q[1].x == q[2].x && q[0].y == q[1].y && q[2].y == q[3].y && q[0].x <= 0.0f &&
           q[0].y <= 0.0f && q[2].x >= static_cast<float>(kScreenWidth) && q[2].y >= static_cast<float>(kScreenHeight);
}
// Two triangles, each clipped to at most 7 corners, give at most 2 x 5 triangles.
constexpr int kMaxSdlVertices = 2 * 5 * 3;

void setDrawBlend(SDL_BlendMode mode) {
    if (SDL_SetRenderDrawBlendMode(gRenderer, mode) == 0) gDrawBlend = mode;
}

// A software rasteriser starts on a frame's draws only once they are flushed to it, so they are
// handed over every few dozen draws: it fills the first ones while the rest are still being set
// up, on the other core. The order of the draws, and so every pixel, stays as it is.
constexpr int kDrawsPerFlush = 40;
using GlFlush = void (*)();   // the one OpenGL call made past SDL, looked up when video starts
GlFlush gGlFlush = nullptr;
int gDrawsSinceFlush = 0;

void flushEveryFewDraws() {
    if (++gDrawsSinceFlush < kDrawsPerFlush || gGlFlush == nullptr) return;
    gDrawsSinceFlush = 0;
    if (SDL_RenderFlush(gRenderer) == 0) gGlFlush();
}

// current: the blend the texture (or the untextured draws, for no texture) was given last.
bool submitGeometry(SDL_Texture* texture, SDL_BlendMode& current, const SDL_Vertex* vertices, int count, Blend blend) {
    const SDL_BlendMode mode = sdlBlend(blend);
    if (mode != current) {
        const int set = texture ? SDL_SetTextureBlendMode(texture, mode) : SDL_SetRenderDrawBlendMode(gRenderer, mode);
        if (set != 0) {
            reportOnce(kReportBlend, "blend mode refused");
            return false;
        }
        current = mode;
    }
    if (count == 0) return true;  // clipped away entirely: nothing of it lies on the texture
    if (SDL_RenderGeometry(gRenderer, texture, vertices, count, nullptr, 0) != 0) {
        reportOnce(kReportGeometry, "SDL_RenderGeometry refused a draw");
        return false;
    }
    flushEveryFewDraws();
    return true;
}

SDL_Texture* createPicture(int width, int height) {
    SDL_Texture* t =
        SDL_CreateTexture(gRenderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, width, height);
    if (t && (SDL_SetTextureBlendMode(t, SDL_BLENDMODE_NONE) != 0 ||
              SDL_SetTextureScaleMode(t, SDL_ScaleModeNearest) != 0)) {
        SDL_DestroyTexture(t);
        return nullptr;
    }
    return t;
}

// A black picture of its own, so a pause before any scene drew shows black, and the corner.
bool createKeptPicture() {
    gKept = createPicture(kScreenWidth, kScreenHeight);
    gCorner = createPicture(kNotesCorner.width, kNotesCorner.height);
    if (!gKept || !gCorner || SDL_SetRenderTarget(gRenderer, gKept) != 0) return false;
    SDL_RenderClear(gRenderer);
    return SDL_SetRenderTarget(gRenderer, gTarget) == 0;
}

// Copies a part of one picture into a part of another (nullptr: the whole picture), then
// draws into the back buffer again.
void copyPicture(SDL_Texture* from, const SDL_Rect* fromPart, SDL_Texture* to, const SDL_Rect* toPart) {
    if (!gRenderer || !from || !to) return;
    if (SDL_SetRenderTarget(gRenderer, to) != 0 || SDL_RenderCopy(gRenderer, from, fromPart, toPart) != 0)
        reportOnce(kReportKeep, "copying the scene picture");
    if (SDL_SetRenderTarget(gRenderer, gTarget) != 0) reportOnce(kReportTarget, "SDL_SetRenderTarget");
}

// Where the kept scene picture is. A whole copy of the back buffer costs a frame about a
// millisecond on a software rasteriser, so a keep copies nothing: the picture stays in the back
// buffer until something is drawn over it. A draw inside the notes' corner saves that corner
// first (once), any other draw the whole picture.
enum class KeptPlace {
    OwnPicture,   // gKept holds it
    BackBuffer,   // the back buffer holds it, except the corner when gCornerSaved
    Dropped,      // given up for the scene being drawn; black until that one is kept
};
KeptPlace gKeptPlace = KeptPlace::OwnPicture;
bool gCornerSaved = false;

const SDL_Rect kCornerRect = {kNotesCorner.x, kNotesCorner.y, kNotesCorner.width, kNotesCorner.height};

// The pixels a draw may touch, a pixel wider on every side than its corners.
struct DrawBounds {
    float left, top, right, bottom;
};

bool insideNotesCorner(const DrawBounds& b) {
    return b.left - 1.0f >= static_cast<float>(kNotesCorner.x) && b.top - 1.0f >= static_cast<float>(kNotesCorner.y) &&
           b.right + 1.0f <= static_cast<float>(kNotesCorner.x + kNotesCorner.width) &&
           b.bottom + 1.0f <= static_cast<float>(kNotesCorner.y + kNotesCorner.height);
}

void moveKeptIntoOwnPicture() {
    copyPicture(gTarget, nullptr, gKept, nullptr);
    if (gCornerSaved) copyPicture(gCorner, nullptr, gKept, &kCornerRect);
    gKeptPlace = KeptPlace::OwnPicture;
}

// Called before every change of the back buffer, with the bounds of what changes: saves what of
// a kept picture there the change would cover.
void guardKeptPicture(const DrawBounds& b) {
    if (gKeptPlace != KeptPlace::BackBuffer) return;
    if (!insideNotesCorner(b)) {
        moveKeptIntoOwnPicture();
    } else if (!gCornerSaved) {
        copyPicture(gTarget, &kCornerRect, gCorner, nullptr);
        gCornerSaved = true;
    }
}

constexpr DrawBounds kWholePicture = {-1.0f, -1.0f, kScreenWidth + 1.0f, kScreenHeight + 1.0f};

DrawBounds boundsOf(const Vertex* vertices, int count) {
    DrawBounds b = {vertices[0].x, vertices[0].y, vertices[0].x, vertices[0].y};
    for (int i = 1; i < count; ++i) {
        b.left = std::fmin(b.left, vertices[i].x);
        b.top = std::fmin(b.top, vertices[i].y);
        b.right = std::fmax(b.right, vertices[i].x);
        b.bottom = std::fmax(b.bottom, vertices[i].y);
    }
    return b;
}

}  // namespace

bool initVideo() {
    SDL_Window* window = sdlWindow();
    if (!window) return false;
    // Naming a driver switches batching off unless it is asked for as well.
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
    SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
    gRenderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_TARGETTEXTURE);
    if (!gRenderer) {
        reportSdlError("SDL_CreateRenderer");
        return false;
    }
    SDL_RendererInfo info;
    // The software renderer cannot compose the game's blend modes, so it is never used.
    if (SDL_GetRendererInfo(gRenderer, &info) != 0 || (info.flags & SDL_RENDERER_SOFTWARE) ||
        std::strcmp(info.name, "software") == 0) {
        std::fprintf(stderr, "no accelerated renderer available\n");
        shutdownVideo();
        return false;
    }
    gTarget = SDL_CreateTexture(gRenderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, kScreenWidth,
                                kScreenHeight);
    gTargetScaleMode = SDL_ScaleModeLinear;
    if (!gTarget || SDL_SetTextureScaleMode(gTarget, gTargetScaleMode) != 0 ||
        SDL_SetTextureBlendMode(gTarget, SDL_BLENDMODE_NONE) != 0 || SDL_SetRenderTarget(gRenderer, gTarget) != 0) {
        reportSdlError("back buffer");
        shutdownVideo();
        return false;
    }
    // Only the OpenGL renderer's context is current for the flush; any other renderer goes without.
    gGlFlush = std::strcmp(info.name, "opengl") == 0 ? reinterpret_cast<GlFlush>(SDL_GL_GetProcAddress("glFlush"))
                                                      : nullptr;
    gDrawsSinceFlush = 0;
    setDrawBlend(SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(gRenderer, 0, 0, 0, 255);
    if (!createKeptPicture()) {
        reportSdlError("kept scene picture");
        shutdownVideo();
        return false;
    }
    SDL_RenderClear(gRenderer);
    for (bool& r : gReported) r = false;
    return true;
}

void shutdownVideo() {
    for (int i = 0; i < kMaxTextures; ++i) destroyTexture(i);
    if (gKept) SDL_DestroyTexture(gKept);
    if (gCorner) SDL_DestroyTexture(gCorner);
    gKept = gCorner = nullptr;
    gKeptPlace = KeptPlace::OwnPicture;
    gCornerSaved = false;
    if (gTarget) SDL_DestroyTexture(gTarget);
    gTarget = nullptr;
    if (gRenderer) SDL_DestroyRenderer(gRenderer);
    gRenderer = nullptr;
    gGlFlush = nullptr;
    gDrawBlend = SDL_BLENDMODE_INVALID;
}

int createTexture(const uint32_t* argb, int width, int height) {
    if (!gRenderer || !argb || width <= 0 || height <= 0 || width > kMaxTextureSide || height > kMaxTextureSide)
        return -1;
    int slot = 0;
    while (slot < kMaxTextures && gTextures[slot].nearest) ++slot;
    if (slot == kMaxTextures) return -1;

    int paddedWidth = nextPowerOfTwo(width), paddedHeight = nextPowerOfTwo(height);
    std::vector<uint32_t> padded(static_cast<size_t>(paddedWidth) * paddedHeight, 0u);
    for (int y = 0; y < height; ++y)
        std::memcpy(&padded[static_cast<size_t>(y) * paddedWidth], argb + static_cast<size_t>(y) * width,
                    sizeof(uint32_t) * width);

    TextureEntry entry;
    entry.width = paddedWidth;
    entry.height = paddedHeight;
    SDL_Texture** targets[2] = {&entry.nearest, &entry.linear};
    SDL_ScaleMode modes[2] = {SDL_ScaleModeNearest, SDL_ScaleModeLinear};
    for (int i = 0; i < 2; ++i) {
        SDL_Texture* t = SDL_CreateTexture(gRenderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC,
                                           paddedWidth, paddedHeight);
        *targets[i] = t;
        if (!t || SDL_UpdateTexture(t, nullptr, padded.data(), paddedWidth * 4) != 0 ||
            SDL_SetTextureScaleMode(t, modes[i]) != 0) {
            reportSdlError("texture upload");
            if (entry.nearest) SDL_DestroyTexture(entry.nearest);
            if (entry.linear) SDL_DestroyTexture(entry.linear);
            return -1;
        }
    }
    gTextures[slot] = entry;
    return slot;
}

void destroyTexture(int texture) {
    if (!validTexture(texture)) return;
    SDL_DestroyTexture(gTextures[texture].nearest);
    SDL_DestroyTexture(gTextures[texture].linear);
    gTextures[texture] = TextureEntry{};
}

void textureSize(int texture, int& width, int& height) {
    if (!validTexture(texture)) {
        width = height = 0;
        return;
    }
    width = gTextures[texture].width;
    height = gTextures[texture].height;
}

bool drawTriangleFan(const Vertex* vertices, int count, int texture, Blend blend, Filter filter) {
    if (!gRenderer || !vertices || count < 3 || count > kMaxFanVertices) return false;
    SDL_Texture* sdlTexture = nullptr;
    SDL_BlendMode* currentBlend = &gDrawBlend;
    if (texture != kNoTexture) {
        if (!validTexture(texture)) return false;
        TextureEntry& entry = gTextures[texture];
        const bool linear = filter == Filter::Linear;
        sdlTexture = linear ? entry.linear : entry.nearest;
        currentBlend = linear ? &entry.linearBlend : &entry.nearestBlend;
    } else if (count == 4 && replacesTheWholePicture(vertices, blend)) {
        // Every pixel takes the colour as it is: clearing does the same without blending.
        guardKeptPicture(kWholePicture);
        const uint32_t c = vertices[0].colour;
        SDL_SetRenderDrawColor(gRenderer, (c >> 16) & 255, (c >> 8) & 255, c & 255, 255);
        if (SDL_RenderClear(gRenderer) == 0) return true;
        reportOnce(kReportGeometry, "SDL_RenderClear");
        return false;
    }
    bool needsClipping = false;
    for (int i = 0; i < count; ++i) {
        if (!finite(vertices[i])) {
            std::fprintf(stderr, "a draw with a position or texture coordinate that is not a number was refused\n");
            return false;
        }
        if (sdlTexture && outsideTextureSquare(vertices[i])) needsClipping = true;
    }
    guardKeptPicture(boundsOf(vertices, count));

    SDL_Vertex out[kMaxSdlVertices];
    int outCount = 0;
    for (int t = 1; t + 1 < count; ++t) {
        ClipVertex poly[kMaxClipVertices] = {clipVertexOf(vertices[0]), clipVertexOf(vertices[t]),
                                             clipVertexOf(vertices[t + 1])};
        int corners = needsClipping ? clipToTextureSquare(poly, 3) : 3;
        for (int k = 1; k + 1 < corners; ++k) {
            out[outCount++] = sdlVertex(poly[0]);
            out[outCount++] = sdlVertex(poly[k]);
            out[outCount++] = sdlVertex(poly[k + 1]);
        }
    }
    return submitGeometry(sdlTexture, *currentBlend, out, outCount, blend);
}

// A line is filled as a one-pixel-wide band along its major axis, pulled back half a pixel
// toward its start: the first pixel is drawn and the last one left out.
bool drawLine(const Vertex* vertices, Blend blend) {
    if (!gRenderer || !vertices) return false;
    const Vertex& a = vertices[0];
    const Vertex& b = vertices[1];
    if (!finite(a) || !finite(b)) return false;
    float dx = b.x - a.x, dy = b.y - a.y;
    if (dx == 0 && dy == 0) return true;  // a line of no length lights no pixel
    ClipVertex start = clipVertexOf(a), end = clipVertexOf(b);
    ClipVertex band[4] = {start, end, end, start};
    if (std::fabs(dx) >= std::fabs(dy)) {
        float back = dx > 0 ? 0.5f : -0.5f;
        for (ClipVertex& p : band) p.x -= back;
        band[0].y -= 0.5f, band[1].y -= 0.5f, band[2].y += 0.5f, band[3].y += 0.5f;
    } else {
        float back = dy > 0 ? 0.5f : -0.5f;
        for (ClipVertex& p : band) p.y -= back;
        band[0].x -= 0.5f, band[1].x -= 0.5f, band[2].x += 0.5f, band[3].x += 0.5f;
    }
    guardKeptPicture(boundsOf(vertices, 2));
    SDL_Vertex out[6] = {sdlVertex(band[0]), sdlVertex(band[1]), sdlVertex(band[2]),
                         sdlVertex(band[0]), sdlVertex(band[2]), sdlVertex(band[3])};
    if (!submitGeometry(nullptr, gDrawBlend, out, 6, blend)) {
        reportOnce(kReportLine, "a line was refused");
        return false;
    }
    return true;
}

void beginScene() {
    if (gRenderer && SDL_GetRenderTarget(gRenderer) != gTarget && SDL_SetRenderTarget(gRenderer, gTarget) != 0)
        reportOnce(kReportTarget, "SDL_SetRenderTarget");
}

void keepScenePicture() {
    if (!gRenderer) return;
    gKeptPlace = KeptPlace::BackBuffer;
    gCornerSaved = false;
}

void dropKeptScenePicture() {
    if (gRenderer) gKeptPlace = KeptPlace::Dropped;
}

void showKeptScenePicture() {
    if (!gRenderer) return;
    switch (gKeptPlace) {
        case KeptPlace::OwnPicture:
            copyPicture(gKept, nullptr, gTarget, nullptr);
            break;
        case KeptPlace::BackBuffer:
            // The back buffer is the kept picture again once its corner is back.
            if (gCornerSaved) copyPicture(gCorner, nullptr, gTarget, &kCornerRect);
            break;
        case KeptPlace::Dropped:
            SDL_SetRenderDrawColor(gRenderer, 0, 0, 0, 255);
            SDL_RenderClear(gRenderer);
            break;
    }
}

void present() {
    if (!gRenderer) return;
    if (SDL_SetRenderTarget(gRenderer, nullptr) != 0) {
        reportOnce(kReportPresent, "SDL_SetRenderTarget (window)");
        return;
    }
    int w = 0, h = 0;
    SDL_GetRendererOutputSize(gRenderer, &w, &h);
    ScreenViewport v = screenViewport(w, h, isFullscreen());
    SDL_Rect destination = {v.x, v.y, v.width, v.height};
    const SDL_ScaleMode mode = drawnAtWholeScale(v) ? SDL_ScaleModeNearest : SDL_ScaleModeLinear;
    if (mode != gTargetScaleMode && SDL_SetTextureScaleMode(gTarget, mode) == 0) gTargetScaleMode = mode;
    setDrawBlend(SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(gRenderer, 0, 0, 0, 255);
    // Black bars only where the picture leaves the window uncovered: the copy replaces every
    // pixel it covers.
    const bool bars = v.x > 0 || v.y > 0 || v.width < w || v.height < h;
    if ((bars && SDL_RenderClear(gRenderer) != 0) || SDL_RenderCopy(gRenderer, gTarget, nullptr, &destination) != 0)
        reportOnce(kReportPresent, "present");
    SDL_RenderPresent(gRenderer);
    if (SDL_SetRenderTarget(gRenderer, gTarget) != 0) reportOnce(kReportTarget, "SDL_SetRenderTarget");
}

bool readBackBuffer(uint32_t* argb) {
    if (!gRenderer || !argb) return false;
    if (SDL_GetRenderTarget(gRenderer) != gTarget && SDL_SetRenderTarget(gRenderer, gTarget) != 0) {
        reportOnce(kReportRead, "SDL_SetRenderTarget");
        return false;
    }
    if (SDL_RenderReadPixels(gRenderer, nullptr, SDL_PIXELFORMAT_ARGB8888, argb, kScreenWidth * 4) != 0) {
        reportOnce(kReportRead, "SDL_RenderReadPixels");
        return false;
    }
    return true;
}

}  // namespace platform

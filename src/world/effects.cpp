#include "world/effects.h"

#include <algorithm>
#include <cstring>

#include "graphics/draw_context.h"
#include "graphics/graphics_device.h"

namespace {

constexpr int kRingFrames = 30;
constexpr int kGlowFrames = 150;
constexpr int kHintFrames = 240;
constexpr int kSlideGlowFrames = 75;

int slotInt(const DrawTask& t, int slot) { return t.payload[slot]; }

// Ages the task and returns the new age: the first drawing sees 1.
int ageTask(DrawTask& task) { return ++task.age; }

// A fade of length 0 or less would divide by zero; it lasts one frame instead.
int fadeLength(const EffectPayload& p) { return p.length < 1 ? 1 : p.length; }

int scaled(int channel, float factor) { return static_cast<int>(static_cast<float>(channel) * factor); }

// The payload's picture: its texture and cell, darkening, at (x, y) with the given scales.
void drawPicture(DrawContext& r, const EffectPayload& p, float x, float y, float scaleX, float scaleY, int angle,
                 int red, int green, int blue) {
    drawSprite(r.device, sheetAt(p.texture), BlendMode::Darken, x, y, {p.cellX, p.cellY, p.cellW, p.cellH}, scaleX,
               scaleY, angle, {red, green, blue});
}

void drawFade(DrawContext& r, DrawTask& task, BlendMode blendMode, bool fadingIn) {
    const int age = ageTask(task);
    const EffectPayload p = readPayload(task);
    const int length = fadeLength(p);
    const float t = static_cast<float>(age) / static_cast<float>(length);
    const float f = fadingIn ? t : 1.0f - t;
    drawRect(r.device, blendMode, 0.0f, 0.0f, 640, 480, {scaled(p.red, f), scaled(p.green, f), scaled(p.blue, f)},
             true);
    if (age >= length) task.finished = true;
}

void drawPictureFading(DrawContext& r, DrawTask& task, const EffectPayload& p, int age) {
    const int length = fadeLength(p);
    const float f = 1.0f - static_cast<float>(age) / static_cast<float>(length);
    drawPicture(r, p, p.x, p.y, p.scaleX, p.scaleY, 0, scaled(p.red, f), scaled(p.green, f), scaled(p.blue, f));
    if (age >= length) task.finished = true;
}

// The wave rings: a world point mapped to the screen, scaled by c and dimmed by d.
void drawRing(DrawContext& r, DrawTask& task, bool growing) {
    const int age = ageTask(task);
    const EffectPayload p = readPayload(task);
    const int a = age - 1;
    const float steps = static_cast<float>(kRingFrames);
    const float c = r.zoom * static_cast<float>(growing ? a + 1 : 29 - a) / steps;
    const float d = static_cast<float>(29 - a) / steps;
    const float sx = p.x * r.zoom - r.viewOffset.x * r.zoomBlend;
    const float sy = p.y * r.zoom - r.viewOffset.y * r.zoomBlend;
    drawPicture(r, p, sx, sy, c * p.scaleX, c * p.scaleY, 0, scaled(p.red, d), scaled(p.green, d),
                scaled(p.blue, d));
    if (age >= kRingFrames) task.finished = true;
}

}  // namespace

EffectPayload readPayload(const DrawTask& task) {
    EffectPayload p;
    p.x = payloadFloat(task, kSlotX);
    p.y = payloadFloat(task, kSlotY);
    p.scaleBase = payloadFloat(task, kSlotScaleBase);
    p.texture = slotInt(task, kSlotTexture);
    p.cellX = slotInt(task, kSlotCellX);
    p.cellY = slotInt(task, kSlotCellY);
    p.cellW = slotInt(task, kSlotCellW);
    p.cellH = slotInt(task, kSlotCellH);
    p.angle = slotInt(task, kSlotAngle);
    p.red = slotInt(task, kSlotRed);
    p.green = slotInt(task, kSlotGreen);
    p.blue = slotInt(task, kSlotBlue);
    p.length = slotInt(task, kSlotLength);
    p.scaleY = payloadFloat(task, kSlotScaleY);
    p.scaleX = payloadFloat(task, kSlotScaleX);
    static_assert(sizeof(p.followY) <= 2 * sizeof(task.payload[0]));
    std::memcpy(&p.followY, &task.payload[kSlotFollowY], sizeof p.followY);
    p.dx = payloadFloat(task, kSlotDx);
    p.dy = payloadFloat(task, kSlotDy);
    return p;
}

void writePayload(DrawTask& task, const EffectPayload& p) {
    setPayloadFloat(task, kSlotX, p.x);
    setPayloadFloat(task, kSlotY, p.y);
    setPayloadFloat(task, kSlotScaleBase, p.scaleBase);
    task.payload[kSlotTexture] = p.texture;
    task.payload[kSlotCellX] = p.cellX;
    task.payload[kSlotCellY] = p.cellY;
    task.payload[kSlotCellW] = p.cellW;
    task.payload[kSlotCellH] = p.cellH;
    task.payload[kSlotAngle] = p.angle;
    task.payload[kSlotRed] = p.red;
    task.payload[kSlotGreen] = p.green;
    task.payload[kSlotBlue] = p.blue;
    task.payload[kSlotLength] = p.length;
    setPayloadFloat(task, kSlotScaleY, p.scaleY);
    setPayloadFloat(task, kSlotScaleX, p.scaleX);
    task.payload[kSlotFollowY] = 0;
    task.payload[kSlotFollowY + 1] = 0;
    std::memcpy(&task.payload[kSlotFollowY], &p.followY, sizeof p.followY);
    setPayloadFloat(task, kSlotDx, p.dx);
    setPayloadFloat(task, kSlotDy, p.dy);
}

bool queueEffect(TaskList& list, int order, DrawTaskCallback callback, int delay, const EffectPayload& payload) {
    if (!addTask(list, order, callback, delay)) return false;
    writePayload(*list.lastAdded, payload);
    return true;
}

EffectPayload picturePayload(float x, float y, Sheet sheet, Cell cell) {
    EffectPayload p;
    p.x = x;
    p.y = y;
    p.scaleBase = 1.0f;
    p.texture = slotOf(sheet);
    p.cellX = cell.x;
    p.cellY = cell.y;
    p.cellW = cell.w;
    p.cellH = cell.h;
    p.angle = 255;
    p.red = p.green = p.blue = 255;
    p.scaleX = p.scaleY = 1.0f;
    return p;
}

EffectPayload fadePayload(int red, int green, int blue, int length) {
    EffectPayload p;
    p.scaleBase = 1.0f;
    p.red = red;
    p.green = green;
    p.blue = blue;
    p.length = length;
    return p;
}

void fadeOutAdditive(DrawContext& r, DrawTask& task) { drawFade(r, task, BlendMode::Additive, false); }
void fadeOutDarken(DrawContext& r, DrawTask& task) { drawFade(r, task, BlendMode::Darken, false); }
void fadeInAdditive(DrawContext& r, DrawTask& task) { drawFade(r, task, BlendMode::Additive, true); }
void fadeInDarken(DrawContext& r, DrawTask& task) { drawFade(r, task, BlendMode::Darken, true); }

void pictureFadeOut(DrawContext& r, DrawTask& task) {
    const int age = ageTask(task);
    drawPictureFading(r, task, readPayload(task), age);
}

void movingPictureFadeOut(DrawContext& r, DrawTask& task) {
    const int age = ageTask(task);
    EffectPayload p = readPayload(task);
    p.x += p.dx;
    p.y += p.dy;
    setPayloadFloat(task, kSlotX, p.x);
    setPayloadFloat(task, kSlotY, p.y);
    drawPictureFading(r, task, p, age);
}

void driftingPicture(DrawContext& r, DrawTask& task) {
    ageTask(task);
    EffectPayload p = readPayload(task);
    const float s = p.scaleX;
    p.x -= 8.0f * s;
    p.y += s - 0.3f;
    p.scaleX *= 1.001f;
    p.scaleY *= 1.001f;
    setPayloadFloat(task, kSlotX, p.x);
    setPayloadFloat(task, kSlotY, p.y);
    setPayloadFloat(task, kSlotScaleX, p.scaleX);
    setPayloadFloat(task, kSlotScaleY, p.scaleY);
    // Without a followed value the picture has no parallax.
    const int32_t followed = p.followY ? *p.followY : 240;
    const float drawY = p.y - p.scaleX * static_cast<float>(followed - 240) * 0.23f;
    drawPicture(r, p, p.x, drawY, p.scaleX, p.scaleY, 0, p.red, p.green, p.blue);
    if (p.x < static_cast<float>(-(p.cellW / 2))) task.finished = true;
}

void repelRing(DrawContext& r, DrawTask& task) { drawRing(r, task, true); }
void attractRing(DrawContext& r, DrawTask& task) { drawRing(r, task, false); }

void zoomingPicture(DrawContext& r, DrawTask& task) {
    const int age = ageTask(task);
    const EffectPayload p = readPayload(task);
    const float root = 1.0f / (static_cast<float>(age) * 0.3f + 0.7f);
    const float c = (root * root + p.scaleBase) * p.scaleBase;
    drawPicture(r, p, c * p.x + 320.0f, c * p.y + 240.0f, c, c, 0, p.red, p.green, p.blue);
}

void acceleratingPicture(DrawContext& r, DrawTask& task) {
    ageTask(task);
    EffectPayload p = readPayload(task);
    p.dx *= 1.01f;
    p.dy *= 1.01f;
    p.x += p.dx;
    p.y += p.dy;
    setPayloadFloat(task, kSlotDx, p.dx);
    setPayloadFloat(task, kSlotDy, p.dy);
    setPayloadFloat(task, kSlotX, p.x);
    setPayloadFloat(task, kSlotY, p.y);
    drawPicture(r, p, p.x, p.y, p.scaleX, p.scaleY, p.angle, p.red, p.green, p.blue);
    if (p.x < -(static_cast<float>(p.cellW) * p.scaleX * 0.5f) ||
        p.y < -(static_cast<float>(p.cellH) * p.scaleY * 0.5f)) {
        task.finished = true;
    }
}

int glowBrightness(int age) {
    int v = age < 30 ? 8 * age : 240;
    if (age >= 91) v = (kGlowFrames - age) * 4;
    return static_cast<int>(0.6 * v);
}

void glowingPicture(DrawContext& r, DrawTask& task) {
    const int age = ageTask(task);
    const EffectPayload p = readPayload(task);
    const int e = glowBrightness(age);
    drawPicture(r, p, p.x, p.y, p.scaleX, p.scaleY, 0, e, e, e);
    if (age >= kGlowFrames) task.finished = true;
}

void glowingBand(DrawContext& r, DrawTask& task) {
    const int age = ageTask(task);
    const EffectPayload p = readPayload(task);
    const int e = glowBrightness(age);
    const Rgb black{0, 0, 0};
    const Rgb light{e, e, e};
    const int half = p.cellH / 2;
    // (x, y) is the band's top-left: light in the middle, dark at both edges.
    drawGradientRect(r.device, BlendMode::Additive, p.x, p.y, p.cellW, half, black, black, light, light);
    drawGradientRect(r.device, BlendMode::Additive, p.x, p.y + static_cast<float>(half), p.cellW, half, light, light,
                     black, black);
    if (age >= kGlowFrames) task.finished = true;
}

void slideInGlow(DrawContext& r, DrawTask& task) {
    const int age = ageTask(task);
    const EffectPayload p = readPayload(task);
    if (age < 60) {
        float x = p.x;
        if (age < 10) x = p.x - static_cast<float>(4 * (10 - age) * (10 - age));
        drawSprite(r.device, Sheet::Effect, BlendMode::Darken, x, p.y, {200, 0, 200, 200}, p.scaleX, p.scaleY, 0,
                   {200, 0, 200});
    } else {
        const float scale = static_cast<float>(age - 60) / 30.0f + p.scaleY;
        const int c = 980 - 13 * age;
        drawSprite(r.device, Sheet::Effect, BlendMode::Darken, p.x, p.y, {200, 0, 200, 200}, scale, scale, 0,
                   {c, 0, c});
    }
    if (age >= kSlideGlowFrames) task.finished = true;
}

void hintPicture(DrawContext& r, DrawTask& task) {
    const int age = ageTask(task);
    const EffectPayload p = readPayload(task);
    int b = age < 15 ? 14 * age : 210;
    if (age >= 211) b = 7 * (kHintFrames - age);
    int ox = 0, oy = 0;
    if (age >= 61) {
        ox = std::min(3 * age - 180, 65);
        oy = std::min(5 * age - 300, 110);
    }
    const float x = p.x + static_cast<float>(ox);
    const float y = p.y - static_cast<float>(oy);
    drawSprite(r.device, Sheet::Effect2, BlendMode::Additive, x, y, {0, 800, 500, 200}, p.scaleX, p.scaleY, 0,
               {b / 2, b / 2, b / 2});
    drawPicture(r, p, x, y, p.scaleX, p.scaleY, 0, b, b, b);
    if (age >= kHintFrames) task.finished = true;
}

#include "world/world_drawing.h"

#include "graphics/draw_context.h"
#include "graphics/graphics_device.h"
#include "support/math_tables.h"
#include "world/effects.h"
#include "world/object_pool.h"
#include "world/trail_ring.h"
#include "world/world_object.h"

namespace {

constexpr int kWaveOrder = 5000;

// The bud's overlay leaves the complement of what it ate last on the bud.
constexpr Rgb kBudOverlayColours[kElementKinds] = {
    {250, 150, 0}, {250, 70, 250}, {0, 250, 170}, {0, 150, 250}, {90, 90, 250},
};

constexpr Rgb kTrailColours[] = {
    {0, 125, 125}, {125, 0, 125}, {125, 125, 0}, {0, 0, 125}, {125, 40, 40}, {40, 125, 40},
};
constexpr Rgb kTrailOtherColour = {20, 70, 125};

int truncScaled(int channel, float factor) { return static_cast<int>(static_cast<float>(channel) * factor); }

// Each colour sheet is followed by its grey twin.
Sheet monochromeTwin(Sheet sheet) { return sheetAt(slotOf(sheet) + 1); }

// Water drops, life, sprouts and buds quiver while they are being launched.
bool wobblesWhileLaunched(int kind) { return kind == aqua || kind == life || kind == sprout || kind == bud; }

// A dying object glows out (water, life), flickers inverted (leaf, dream) or fades as ink.
BlendMode dyingBlend(int kind) {
    switch (kind) {
        case aqua:
        case life:
            return BlendMode::Additive;
        case leaf:
        case dream:
            return BlendMode::Invert;
        default:
            return BlendMode::Darken;
    }
}

struct Scales {
    float x, y;
};

Scales objectScales(const DrawContext& r, const WorldObject& o, float scale, uint32_t frame) {
    if (!wobblesWhileLaunched(o.kind) || o.launchTimer < 1) return {scale, scale};
    const int phase = static_cast<int>((static_cast<uint64_t>(frame) * 100u) % 360u);
    const float strength = 0.03f * static_cast<float>(o.launchTimer);
    return {scale * (1.0f + strength * tableSin(r.effectsRandom, phase)),
            scale * (1.0f + strength * tableCos(r.effectsRandom, phase))};
}

void drawDyingObject(DrawContext& r, const WorldObject& o, ScreenPoint p, const ObjectPicture& pic, Scales s) {
    const float f = static_cast<float>(o.fadeTimer) * 0.125f;
    drawSprite(r.device, pic.sheet, dyingBlend(o.kind), p.x, p.y, {pic.cellX, pic.cellY, pic.side, pic.side}, s.x, s.y,
               o.angle, {truncScaled(o.red, f), truncScaled(o.green, f), truncScaled(o.blue, f)});
}

void drawLivingObject(DrawContext& r, const WorldObject& o, ScreenPoint p, const ObjectPicture& pic, Scales s) {
    drawSpriteAlpha(r.device, pic.sheet, true, p.x, p.y, {pic.cellX, pic.cellY, pic.side, pic.side}, s.x, s.y, o.angle,
                    o.alpha, {o.red, o.green, o.blue});
    if (o.kind == bud && o.content >= 0 && o.content < kElementKinds) {
        // The overlay is the cell one row above the bud's own.
        const Rgb c = kBudOverlayColours[o.content];
        drawSprite(r.device, monochromeTwin(Sheet::Objects2), BlendMode::Darken, p.x, p.y,
                   {pic.cellX, pic.cellY - pic.side, pic.side, pic.side}, s.x, s.y, o.angle, {c.r, c.g, c.b});
    }
    if (o.touched) {
        drawSprite(r.device, monochromeTwin(pic.sheet), BlendMode::Additive, p.x, p.y,
                   {pic.cellX, pic.cellY, pic.side, pic.side}, s.x, s.y, o.angle, {120, 120, 120});
    }
}

// A seed of kind 106 rocks from side to side while it is launched.
int seedDrawingAngle(const WorldObject& s) {
    switch (s.kind) {
        case 101: return 0;
        case 106: return 3 * s.launchTimer * (s.launchTimer % 2 != 0 ? 1 : -1);
        default: return s.angle;
    }
}

// Seeds fade in over their launch and fade out while dying.
float seedBrightness(const WorldObject& s) {
    if (s.dying) return static_cast<float>(s.fadeTimer) * 0.125f;
    if (s.launchTimer > 0) return 1.0f - static_cast<float>(s.launchTimer) / 5.0f;
    return 1.0f;
}

Rgb trailColour(int variant) {
    const int known = static_cast<int>(sizeof kTrailColours / sizeof kTrailColours[0]);
    return variant >= 0 && variant < known ? kTrailColours[variant] : kTrailOtherColour;
}

void queueRing(DrawContext& r, DrawTaskCallback ring, int waveX, int waveY, Rgb colour) {
    EffectPayload p;
    p.x = static_cast<float>(waveX);
    p.y = static_cast<float>(waveY);
    p.texture = slotOf(monochromeTwin(Sheet::Objects));
    p.cellX = 400;
    p.cellY = 400;
    p.cellW = 400;
    p.cellH = 400;
    p.scaleX = 1.0f;
    p.scaleY = 1.0f;
    p.red = colour.r;
    p.green = colour.g;
    p.blue = colour.b;
    queueEffect(r.backTasks, kWaveOrder, ring, 0, p);
}

}  // namespace

ScreenPoint worldToScreen(const DrawContext& r, float x, float y) {
    return {x * r.zoom - r.viewOffset.x * r.zoomBlend, y * r.zoom - r.viewOffset.y * r.zoomBlend};
}

bool insideDrawingArea(ScreenPoint p) {
    return p.x >= kCullLeft && p.x <= kCullRight && p.y >= kCullTop && p.y <= kCullBottom;
}

ObjectPicture objectPicture(int kind, int size, bool clover, float zoom) {
    const float apparent = static_cast<float>(size) / 100.0f * zoom;
    int side = 200, blockLeft = 0;
    float scale = apparent / 4.0f;
    if (apparent < 1.0f) {
        side = 50;
        blockLeft = 600;
        scale = apparent;
    } else if (apparent < 2.0f) {
        side = 100;
        blockLeft = 400;
        scale = apparent / 2.0f;
    }
    const int i = kind < 8 ? kind : kind - 8;
    const int row = i / 2 + (clover ? 3 : 0);
    return {kind < 8 ? Sheet::Objects : Sheet::Objects2, blockLeft + side * (i % 2), side * row, side, scale};
}

void queueWaveEffects(DrawContext& r, int waveX, int waveY, int attractWave, int repelWave) {
    if (attractWave == 1) queueRing(r, attractRing, waveX, waveY, {70, 120, 120});
    if (repelWave == 1) queueRing(r, repelRing, waveX, waveY, {160, 160, 90});
}

void drawObjects(DrawContext& r, const ObjectPool& objects, uint32_t frame) {
    // Walk the links directly: drawing leaves the pool's iteration cursor alone.
    for (const WorldObject* o = objects.head->next; o->active; o = o->next) {
        const ScreenPoint p = worldToScreen(r, o->x, o->y);
        if (!insideDrawingArea(p)) continue;
        const ObjectPicture pic = objectPicture(o->kind, o->size, o->clover, r.zoom);
        const Scales s = objectScales(r, *o, pic.scale, frame);
        if (o->dying)
            drawDyingObject(r, *o, p, pic, s);
        else
            drawLivingObject(r, *o, p, pic, s);
    }
}

void drawSeeds(DrawContext& r, const ObjectPool& seeds) {
    for (const WorldObject* s = seeds.head->next; s->active; s = s->next) {
        const ScreenPoint p = worldToScreen(r, s->x, s->y);
        if (!insideDrawingArea(p)) continue;
        const float g = r.zoom * static_cast<float>(s->size) / 100.0f;
        // Mirrored while heading left, so that it stays upright.
        const bool mirrored = s->kind == 103 && s->angle >= 91 && s->angle <= 269;
        const float m = seedBrightness(*s);
        const Sheet sheet = s->kind >= 105 ? Sheet::Effect2 : Sheet::Effect;
        drawSprite(r.device, sheet, BlendMode::Darken, p.x, p.y, {s->cellX, s->cellY, s->cellW, s->cellH}, g,
                   mirrored ? -g : g, seedDrawingAngle(*s),
                   {truncScaled(s->red, m), truncScaled(s->green, m), truncScaled(s->blue, m)});
    }
}

void drawTrail(DrawContext& r, const TrailRing& trail, uint32_t frame) {
    // The particles spin 16 degrees a frame, clockwise.
    const int angle = -static_cast<int>((static_cast<uint64_t>(frame) * 16u) % 360u);
    for (const TrailParticle& t : trail.particles) {
        if (!t.active) continue;
        Rgb c = trailColour(t.variant);
        if (t.framesLeft < 5) {
            const float f = static_cast<float>(t.framesLeft) / 5.0f;
            c = {truncScaled(c.r, f), truncScaled(c.g, f), truncScaled(c.b, f)};
        }
        const ScreenPoint p = worldToScreen(r, t.x, t.y);
        drawSprite(r.device, Sheet::Objects, BlendMode::Darken, p.x, p.y, {770, 0, 16, 16}, r.zoom, r.zoom, angle,
                   {c.r, c.g, c.b});
    }
}

void drawBackgroundFilter(DrawContext& r) {
    drawSprite(r.device, Sheet::BackgroundFilter, BlendMode::Darken, 320.0f, 240.0f, {0, 0, 640, 480}, 1.0f, 1.0f, 0,
               {255, 255, 255});
}

void drawMiniMap(DrawContext& r) {
    drawSpriteAlpha(r.device, Sheet::Objects, false, 571.0f, 427.0f, {700, 190, 64, 48}, 1.0f, 1.0f, 0, 80,
                    {0, 0, 255});
    // The marker is the map at half size: the part of the field in view at zoom 1.
    const float markerX = 571.0f + r.viewOffset.x / 1280.0f * 64.0f;
    const float markerY = 427.0f + r.viewOffset.y / 960.0f * 48.0f;
    drawSpriteAlpha(r.device, Sheet::Objects, false, markerX, markerY, {700, 190, 64, 48}, 0.5f, 0.5f, 0, 100,
                    {255, 255, 0});
}

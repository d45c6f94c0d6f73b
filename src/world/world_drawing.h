#pragma once
// The drawing passes of the playing field: seeds, objects, the cursor trail, the paper filter
// over them and the mini-map, plus the queuing of the wave rings. They only read the world.
// The field is drawn on white paper; most pictures darken it, like ink.

#include <cstdint>

#include "graphics/draw_values.h"

struct DrawContext;
struct ObjectPool;
struct TrailRing;

// Objects and seeds further than this outside the screen are not drawn.
constexpr float kCullLeft = -100.0f, kCullRight = 740.0f;
constexpr float kCullTop = -100.0f, kCullBottom = 580.0f;

struct ScreenPoint {
    float x, y;
};

// Where a world point lands on the 640 x 480 screen under the drawing context's view and zoom.
ScreenPoint worldToScreen(const DrawContext& context, float x, float y);
bool insideDrawingArea(ScreenPoint p);

// The picture of an object: which sheet, which cell, and the scale that shows it at half its
// size times the zoom. Each sheet holds every picture at three resolutions.
struct ObjectPicture {
    Sheet sheet;  // the colour sheet: Objects for kinds below 8, Objects2 from 8 up
    int cellX, cellY;
    int side;           // cells are square: 50, 100 or 200
    float scale;
};
ObjectPicture objectPicture(int kind, int size, bool clover, float zoom);

// Adds the attract ring on the first frame of an attract wave and the repel ring on the first
// frame of a repel wave, to the back task list so that they lie under the field.
void queueWaveEffects(DrawContext& context, int waveX, int waveY, int attractWave, int repelWave);
void drawSeeds(DrawContext& context, const ObjectPool& seeds);
void drawObjects(DrawContext& context, const ObjectPool& objects, uint32_t frame);
void drawTrail(DrawContext& context, const TrailRing& trail, uint32_t frame);
void drawBackgroundFilter(DrawContext& context);
void drawMiniMap(DrawContext& context);

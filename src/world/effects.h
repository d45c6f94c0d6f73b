#pragma once
// Effect tasks: fades, flying and glowing pictures, hint pictures and the wave rings. The code
// that starts an effect queues one of these callbacks on a task list with its payload; the list
// then calls it once per run until it says it is finished. Every callback first ages its task by
// one, so its first drawing sees age 1.
#include <cstdint>

#include "graphics/draw_values.h"
#include "graphics/task_list.h"

struct DrawContext;

// The 19 payload slots of a task as the effects read them. Positions are screen pixels (world
// units for the wave rings). followY is a reference: being 64 bits wide it takes the slot before
// it too, which no effect reads.
struct EffectPayload {
    float x = 0, y = 0;
    float scaleBase = 0;          // final scale root of the zooming picture
    int32_t texture = 0;
    int32_t cellX = 0, cellY = 0, cellW = 0, cellH = 0;
    int32_t angle = 0;            // drawing angle of the accelerating picture
    int32_t red = 0, green = 0, blue = 0;
    int32_t length = 0;           // frames of a fade
    float scaleY = 0, scaleX = 0;
    const int32_t* followY = nullptr;   // read every frame by the drifting picture
    float dx = 0, dy = 0;         // velocity of the moving pictures, pixels per frame
};

// Payload slots (0-based) of the fields above.
enum EffectSlot : int {
    kSlotX = 0, kSlotY, kSlotScaleBase, kSlotTexture, kSlotCellX, kSlotCellY, kSlotCellW, kSlotCellH,
    kSlotAngle, kSlotRed, kSlotGreen, kSlotBlue, kSlotLength, kSlotScaleY, kSlotScaleX,
    kSlotFollowY = 15,   // two slots: 15 and 16
    kSlotDx = 17, kSlotDy = 18,
};

EffectPayload readPayload(const DrawTask& task);
void writePayload(DrawTask& task, const EffectPayload& payload);
// addTask, then the payload into the new task. False (and nothing queued) when the list is full.
bool queueEffect(TaskList& list, int order, DrawTaskCallback callback, int delay, const EffectPayload& payload);

// Payloads the stagings share: a picture at full colour and natural size, and a full-screen fade.
EffectPayload picturePayload(float x, float y, Sheet sheet, Cell cell);
EffectPayload fadePayload(int red, int green, int blue, int length);

// The fifteen callbacks.
void slideInGlow(DrawContext& context, DrawTask& task);
void fadeOutAdditive(DrawContext& context, DrawTask& task);
void fadeOutDarken(DrawContext& context, DrawTask& task);
void fadeInAdditive(DrawContext& context, DrawTask& task);
void fadeInDarken(DrawContext& context, DrawTask& task);
void pictureFadeOut(DrawContext& context, DrawTask& task);
void movingPictureFadeOut(DrawContext& context, DrawTask& task);
void driftingPicture(DrawContext& context, DrawTask& task);
void repelRing(DrawContext& context, DrawTask& task);
void attractRing(DrawContext& context, DrawTask& task);
void zoomingPicture(DrawContext& context, DrawTask& task);
void acceleratingPicture(DrawContext& context, DrawTask& task);
void glowingPicture(DrawContext& context, DrawTask& task);
void glowingBand(DrawContext& context, DrawTask& task);
void hintPicture(DrawContext& context, DrawTask& task);

// Brightness of the glowing picture and band at an age: rises over 30 frames to 144, holds,
// and falls to 0 at age 150.
int glowBrightness(int age);

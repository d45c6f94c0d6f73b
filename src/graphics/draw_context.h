#pragma once
// What every drawing pass of the game draws with: the device, the view the world is seen
// through (its offset and zoom), the drawing effects' own generator, and the two deferred task
// lists, run behind and in front of a scene's own drawing.

#include <cstdint>

#include "graphics/graphics_device.h"
#include "graphics/task_list.h"
#include "support/math_tables.h"

constexpr int kBackTaskCapacity = 256;
constexpr int kFrontTaskCapacity = 16;

struct ViewOffset {
    float x = 0.0f, y = 0.0f;
};

struct DrawContext {
    GraphicsDevice device;
    ViewOffset viewOffset;          // the world's view focus, copied for the world drawing
    MathTables effectsRandom;       // random source and tables of the drawing effects
    float zoom = 1.0f;              // 0.5 ... 2.0
    float zoomBlend = 1.0f;         // zoom mapped to 0 ... 3
    TaskList backTasks;             // run before a scene's own drawing
    TaskList frontTasks;            // run after it

    DrawContext() = default;
    DrawContext(const DrawContext&) = delete;
    DrawContext& operator=(const DrawContext&) = delete;
};

// Builds the task lists and the effects' generator (word 1, sharing the given words) with the
// view at the origin and zoom 1. The device is opened separately, when there is one to open.
void constructDrawContext(DrawContext& context, RandomWords& words);
// Frees the task lists.
void destroyDrawContext(DrawContext& context);

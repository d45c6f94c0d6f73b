#include "graphics/draw_context.h"

void constructDrawContext(DrawContext& c, RandomWords& words) {
    c.viewOffset = {0.0f, 0.0f};
    initMathTables(c.effectsRandom, words);
    constructTaskList(c.backTasks, c, kBackTaskCapacity);
    constructTaskList(c.frontTasks, c, kFrontTaskCapacity);
    c.zoom = 1.0f;
    c.zoomBlend = 1.0f;
}

void destroyDrawContext(DrawContext& c) {
    destroyTaskList(c.backTasks);
    destroyTaskList(c.frontTasks);
}

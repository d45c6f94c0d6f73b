#pragma once
// The animated pictures of the title, menu and closing screens. Most of the motion lives in
// effect tasks queued with fixed delays; the per-frame drawing adds a few pictures of its own
// and, on given frames, more tasks with random parameters from the drawing context's effects generator.
// f is the scene's frame counter, 1 on its first frame.
#include <cstdint>

struct DrawContext;

// Clears both lists and queues the title's choreography: three sliding glows, the caption
// flashes, forty scattered plant pictures (frame 171), the nine letters (from frame 196) and
// the darkening into the menu.
void setupTitlePicture(DrawContext& context);
void drawTitlePicture(DrawContext& context, uint32_t f);

// Clears both lists, fades the menu in from black and scatters ninety drifting pictures that
// follow followY (the world's mouse y, read every frame by the tasks).
void setupMenuPicture(DrawContext& context, const int32_t& followY);
// The menu's fixed pictures, a new drifting picture every other frame and the shade at the top.
void drawMenuPicture(DrawContext& context, uint32_t f, const int32_t& followY);

// Adds to the menu's tasks: a white flash, the farewell words over a light band, then the
// whitening that lasts until the program ends.
void setupClosingPicture(DrawContext& context);

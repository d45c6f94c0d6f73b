#pragma once
// The drawing side of the game: the graphics device with the eight images, the view state the
// world drawing reads, the HUD slide, the effects' own random source and the two deferred task
// lists. Building it opens the device and loads every image.

#include <cstdint>

#include "app/asset_archive.h"
#include "app/task_list.h"
#include "graphics/graphics_device.h"
#include "support/math_tables.h"

constexpr int kBackTaskCapacity = 256;
constexpr int kFrontTaskCapacity = 16;
constexpr int kImageCount = 8;
constexpr int kInterfaceTexture = 5;    // the loading picture, buttons, letters and digits

struct ImageEntry {
    int slot;
    const char* file;       // the image's own name; the archive beside it adds ".bnd"
};

// Loaded in this order at start.
inline constexpr ImageEntry kImageTable[kImageCount] = {
    {5, "img/logo.png"},
    {0, "img/objects.png"},
    {1, "img/objects_monochro.png"},
    {2, "img/objects2.png"},
    {3, "img/objects2_monochro.png"},
    {4, "img/bg_filter.png"},
    {6, "img/effect.png"},
    {7, "img/effect2.png"},
};

struct ViewOffset {
    float x = 0.0f, y = 0.0f;
};

struct Renderer {
    const void* window = nullptr;
    bool windowed = true;           // inverted by the full-screen key
    ViewOffset viewOffset;          // the world's view focus, copied for the world drawing
    MathTables effectsRandom;       // random source and tables of the drawing effects
    AssetArchive archive;
    float zoom = 1.0f;              // 0.5 ... 2.0
    float zoomBlend = 1.0f;         // zoom mapped to 0 ... 3
    bool hudHidden = false;
    int32_t hudSlide = 0;           // 0 ... 10
    GraphicsDevice device;
    TaskList backTasks;             // run before a scene's own drawing
    TaskList frontTasks;            // run after it

    Renderer() = default;
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;
};

// Builds the renderer for the main window: device, task lists, every image, the font.
// Ends the program when the device or an image cannot be made.
void constructRenderer(Renderer& renderer, const void* window);
// Frees the task lists and the device's textures; the archive's key and buffer go with the Renderer.
void destroyRenderer(Renderer& renderer);

// Loads one image from its archive "<file>.bnd": the archive is read into memory and its head
// unscrambled there, so the file on disk is only ever read. A missing or damaged archive ends
// the program with the texture error.
void loadImage(Renderer& renderer, int slot, const char* file);

// Black screen with the loading picture, its middle part turning by 5 degrees a frame; the
// picture is presented at once and a new drawing pass begun.
void drawLoadingScreen(Renderer& renderer, uint32_t frame);

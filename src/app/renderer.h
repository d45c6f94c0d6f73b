#pragma once
// The App's drawing side: the drawing context (device, view, effects' generator, task lists)
// with the eight images loaded into its device, the image archives' key, the display mode and
// the HUD slide. Building it opens the device and loads the images of the loading picture; the
// others load while that picture is on screen.

#include <cstdint>

#include "graphics/draw_context.h"
#include "support/asset_archive.h"

constexpr int kImageCount = 8;

struct ImageEntry {
    int slot;
    const char* file;       // the image's own name; the archive beside it adds ".bnd"
};

// Loaded in this order at start; the first kLoadingPictureImages hold what the loading picture
// draws from, so it can be shown before the rest are loaded.
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
constexpr int kLoadingPictureImages = 1;
static_assert(kImageTable[0].slot == slotOf(Sheet::Interface), "the loading picture draws from the interface sheet");

struct Renderer {
    DrawContext drawing;
    AssetArchive archive;
    bool windowed = true;           // inverted by the full-screen key
    bool hudHidden = false;
    int32_t hudSlide = 0;           // 0 ... 10

    Renderer() = default;
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;
};

// Builds the renderer for the main window: the drawing context (its generator sharing words and
// seeded from the clock), the device, the images of the loading picture, the font. Ends the
// program when the device or an image cannot be made.
void constructRenderer(Renderer& renderer, RandomWords& words);
// Loads the other images, in the table's order, with the same failure as constructRenderer.
void loadRemainingImages(Renderer& renderer);
// Frees the task lists and the device's textures; the archive's key and buffer go with the Renderer.
void destroyRenderer(Renderer& renderer);

// Loads one image from its archive "<file>.bnd": the archive is read into memory and its head
// unscrambled there, so the file on disk is only ever read. A missing or damaged archive ends
// the program with the texture error.
void loadImage(Renderer& renderer, int slot, const char* file);

// Black screen with the loading picture, its middle part turning by 5 degrees a frame; the
// picture is presented at once and a new drawing pass begun.
void drawLoadingScreen(GraphicsDevice& device, uint32_t frame);

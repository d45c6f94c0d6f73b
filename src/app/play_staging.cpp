#include "app/play_staging.h"

#include "app/renderer.h"
#include "world/effects.h"

namespace {

// The end picture's cell (370, 180) 420 x 64 holds part of the bitmap font at its left end. The words
// lie right of the font, and that part alone is drawn, at scale 1, where the whole cell would put it.
constexpr int kEndCellLeft = 370, kEndCellWidth = 420;
constexpr int kEndPartWidth = kEndCellLeft + kEndCellWidth - kFontRight;  // 336

}  // namespace

void stagePlayOpening(Renderer& r) {
    clearTasks(r.drawing.backTasks);
    clearTasks(r.drawing.frontTasks);
    // The picture fades in from black.
    queueEffect(r.drawing.frontTasks, 0, fadeOutDarken, 0, fadePayload(255, 255, 255, 8));
    queueEffect(r.drawing.frontTasks, 3000, glowingPicture, 0,
                picturePayload(320.0f, 240.0f, Sheet::Interface, {370, 245, 420, 64}));
    queueEffect(r.drawing.frontTasks, 3000, glowingPicture, 0,
                picturePayload(160.0f, 65.0f, Sheet::Interface, {470, 380, 300, 50}));
    r.drawing.zoom = 1.0f;
    r.drawing.zoomBlend = 1.0f;
    r.hudHidden = false;
}

void stagePlayEnding(Renderer& r) {
    const float x = partCentreX(320.0f, kEndCellLeft, kEndCellWidth, kFontRight, kEndPartWidth, 1.0f);
    const EffectPayload timeUp = picturePayload(x, 240.0f, Sheet::Interface, {kFontRight, 180, kEndPartWidth, 64});
    queueEffect(r.drawing.frontTasks, 3000, glowingPicture, 15, timeUp);
    // The band runs before the picture, so it lies under it.
    EffectPayload band = picturePayload(0.0f, 170.0f, Sheet::Objects, {0, 0, 640, 140});
    queueEffect(r.drawing.frontTasks, 4000, glowingBand, 15, band);
    queueEffect(r.drawing.frontTasks, 0, fadeOutAdditive, 0, fadePayload(255, 255, 255, 8));
    // The screen whitens over the last frames before the title returns.
    queueEffect(r.drawing.frontTasks, 0, fadeInAdditive, 135, fadePayload(255, 255, 255, 30));
}

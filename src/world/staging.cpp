#include "world/staging.h"

#include "app/renderer.h"
#include "world/effects.h"
#include "world/world.h"

namespace {

constexpr int kLogoTexture = 5;
constexpr int kHintTexture = 7;
constexpr int kHintStartAfterMs = 3000;
constexpr int kHintStartBeforeMs = 3100;
constexpr int kHintSprayedDrops = 10;
constexpr int kFirstHintAfterMs = 1000;
constexpr int kNextHintAfterMs = 11000;

// The end picture's cell (370, 180) 420 x 64 holds part of the bitmap font at its left end. The words
// lie right of the font, and that part alone is drawn, at scale 1, where the whole cell would put it.
constexpr int kEndCellLeft = 370, kEndCellWidth = 420;
constexpr int kEndPartWidth = kEndCellLeft + kEndCellWidth - kFontRight;  // 336

struct HintCell {
    int x, y;
};
constexpr HintCell kHintCells[3] = {{500, 800}, {0, 600}, {500, 600}};

void queueHint(World& w, int hint) {
    if (!w.renderer) return;
    const HintCell cell = kHintCells[hint];
    queueEffect(w.renderer->frontTasks, 2000, hintPicture, 0,
                picturePayload(320.0f, 240.0f, kHintTexture, cell.x, cell.y, 500, 200));
}

// Moves to the next stage once the current one has lasted long enough.
void advanceHintStage(World& w, int afterMs) {
    if (w.elapsedMs - w.hintStageStart <= afterMs) return;
    w.hintStageStart = w.elapsedMs;
    queueHint(w, w.hintStage);
    w.hintStage += 1;
}

}  // namespace

void stagePlayOpening(Renderer& r) {
    clearTasks(r.backTasks);
    clearTasks(r.frontTasks);
    // The picture fades in from black.
    queueEffect(r.frontTasks, 0, fadeOutDarken, 0, fadePayload(255, 255, 255, 8));
    queueEffect(r.frontTasks, 3000, glowingPicture, 0, picturePayload(320.0f, 240.0f, kLogoTexture, 370, 245, 420, 64));
    queueEffect(r.frontTasks, 3000, glowingPicture, 0, picturePayload(160.0f, 65.0f, kLogoTexture, 470, 380, 300, 50));
    r.zoom = 1.0f;
    r.zoomBlend = 1.0f;
    r.hudHidden = false;
}

void stagePlayEnding(Renderer& r) {
    const float x = partCentreX(320.0f, kEndCellLeft, kEndCellWidth, kFontRight, kEndPartWidth, 1.0f);
    const EffectPayload timeUp = picturePayload(x, 240.0f, kLogoTexture, kFontRight, 180, kEndPartWidth, 64);
    queueEffect(r.frontTasks, 3000, glowingPicture, 15, timeUp);
    // The band runs before the picture, so it lies under it.
    EffectPayload band = picturePayload(0.0f, 170.0f, 0, 0, 0, 640, 140);
    queueEffect(r.frontTasks, 4000, glowingBand, 15, band);
    queueEffect(r.frontTasks, 0, fadeOutAdditive, 0, fadePayload(255, 255, 255, 8));
    // The screen whitens over the last frames before the title returns.
    queueEffect(r.frontTasks, 0, fadeInAdditive, 135, fadePayload(255, 255, 255, 30));
}

void stageIdleHints(World& w) {
    if (!w.hintShown && w.elapsedMs > kHintStartAfterMs && w.elapsedMs < kHintStartBeforeMs &&
        w.objects.createdByKind[aqua] < kHintSprayedDrops) {
        w.hintShown = true;
        w.hintStage = 0;
        w.hintStageStart = w.elapsedMs;
    }
    // The stages run only once the hints have started in this play. The stage and its start time
    // outlive a play, so a sequence cut short by the end of one play, or the stage a new world
    // starts in, would otherwise put hints in front of a player who sprays from the start.
    if (!w.hintShown) return;
    switch (w.hintStage) {
        case 0:
            advanceHintStage(w, kFirstHintAfterMs);
            break;
        case 1:
        case 2:
            advanceHintStage(w, kNextHintAfterMs);
            break;
        default:
            break;  // all three shown
    }
}

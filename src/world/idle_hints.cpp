#include "world/idle_hints.h"

#include "graphics/task_list.h"
#include "world/effects.h"
#include "world/world.h"

namespace {

constexpr int kHintStartAfterMs = 3000;
constexpr int kHintStartBeforeMs = 3100;
constexpr int kHintSprayedDrops = 10;
constexpr int kFirstHintAfterMs = 1000;
constexpr int kNextHintAfterMs = 11000;

struct HintCell {
    int x, y;
};
constexpr HintCell kHintCells[3] = {{500, 800}, {0, 600}, {500, 600}};

void queueHint(TaskList& effects, int hint) {
    const HintCell cell = kHintCells[hint];
    queueEffect(effects, 2000, hintPicture, 0,
                picturePayload(320.0f, 240.0f, Sheet::Effect2, {cell.x, cell.y, 500, 200}));
}

// Moves to the next stage once the current one has lasted long enough.
void advanceHintStage(World& w, TaskList& effects, int afterMs) {
    if (w.elapsedMs - w.hintStageStart <= afterMs) return;
    w.hintStageStart = w.elapsedMs;
    queueHint(effects, w.hintStage);
    w.hintStage += 1;
}

}  // namespace

void stageIdleHints(World& w, TaskList& effects) {
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
            advanceHintStage(w, effects, kFirstHintAfterMs);
            break;
        case 1:
        case 2:
            advanceHintStage(w, effects, kNextHintAfterMs);
            break;
        default:
            break;  // all three shown
    }
}

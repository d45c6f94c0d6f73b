#include "world/world_steps.h"

#include "graphics/draw_context.h"
#include "world/collisions.h"
#include "world/idle_hints.h"
#include "world/object_step.h"
#include "world/play_clock.h"
#include "world/player.h"
#include "world/seeds.h"
#include "world/world.h"

void runPlayWorldSteps(World& w, DrawContext& drawing, int frame) {
    advanceClock(w, frame);
    decayLimiter(w.soundLimiter);
    rankKinds(w.objects);
    updateView(w, drawing.zoom);
    spawnCursorTrail(w);
    updateTrail(w.trail);
    updateObjects(w, frame);
    updateSeeds(w, frame);
    sprayAqua(w);
    touchObjects(w);
    grabAndCharge(w, frame);
    clickWaves(w, frame);
    mutationKey(w, drawing.frontTasks);
    collideObjects(w, frame);
    checkOverpopulation(w, drawing.frontTasks);
    releaseFaded(w);
    countEndOfPlay(w);
    stageIdleHints(w, drawing.frontTasks);
}

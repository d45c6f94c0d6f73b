#include "world/play_frame.h"

#include "world/collisions.h"
#include "world/object_step.h"
#include "world/play_clock.h"
#include "world/player.h"
#include "world/seeds.h"
#include "world/staging.h"
#include "world/world.h"

void runPlayWorldSteps(World& w, int frame, float zoom) {
    advanceClock(w, frame);
    decayLimiter(w.soundLimiter);
    rankKinds(w.objects);
    updateView(w, zoom);
    spawnCursorTrail(w);
    updateTrail(w.trail);
    updateObjects(w, frame);
    updateSeeds(w, frame);
    sprayAqua(w);
    touchObjects(w);
    grabAndCharge(w, frame);
    clickWaves(w, frame);
    mutationKey(w);
    collideObjects(w, frame);
    checkOverpopulation(w);
    releaseFaded(w);
    countEndOfPlay(w);
    stageIdleHints(w);
}

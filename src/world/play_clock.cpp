#include "world/play_clock.h"

#include "graphics/task_list.h"
#include "input/input_device.h"
#include "platform/keys.h"
#include "world/bursts.h"
#include "world/effects.h"
#include "world/world.h"

namespace {

constexpr int kMutationRadiusSquared = 28900;   // radius 170
constexpr int kFlashFrames = 8;

bool nearCursor(const World& w, const WorldObject& o) {
    const int dx = static_cast<int>(o.x) - w.cursorX;
    const int dy = static_cast<int>(o.y) - w.cursorY;
    return dx * dx + dy * dy < kMutationRadiusSquared;
}

// A dying object bursts as the given element would.
void burstAs(World& w, WorldObject& o, int element) {
    switch (element) {
        case aqua:
            spawnAquaSpray(w, o, 3, 0.9, false);
            break;
        case leaf:
            o.size += 60;
            spawnLeafRing(w, o, 3);
            break;
        case flare:
            spawnFlareBurst(w, o, 0);
            break;
        case soil:
            spawnSoil(w, o);
            spawnSoil(w, o);
            spawnSoil(w, o);
            break;
        case metal:
            spawnMetalBurst(w, o);
            break;
        default:
            break;
    }
}

// The refill's objects draw from the generator held by the refill.
void addRefillClover(World& w, HeldRandom& r) {
    const int a = static_cast<int>(nextRandom(r) % 360u);
    const int size = static_cast<int>(nextRandom(r) % 150u) + 100;
    const float y = randomFloat(r, 960.0f);
    const float x = randomFloat(r, 1280.0f);
    addObject(w.objects, leaf, size, x, y, 0.15f * tableCos(w.math, a), 0.15f * tableSin(w.math, a), a - 90, 255,
              255, 255, 255, 10, true);
}

void addRefillDrop(World& w, HeldRandom& r) {
    const int size = static_cast<int>(nextRandom(r) % 150u) + 30;
    const float vy = randomFloat(r, 1.4f) - 0.7f;
    const float vx = randomFloat(r, 1.4f) - 0.7f;
    const float y = randomFloat(r, 960.0f);
    const float x = randomFloat(r, 1280.0f);
    addObject(w.objects, aqua, size, x, y, vx, vy, 0, 90, 255, 255, 255, 10, false);
}

}  // namespace

void advanceClock(World& w, int frame) {
    // The carry comes before this frame's additions, so the score can stand above the limit for a frame.
    if (w.score > kScoreLimit) {
        w.scoreCarry += 1;
        w.score = 0;
    }
    // 33, 33, 34: 100 ms every three frames.
    const int step = frame % 3 == 0 ? 34 : 33;
    w.timeLeftMs -= step;
    w.elapsedMs += step;
    if (w.timeLeftMs <= 0) w.timeLeftMs = 0;
    if (w.unlimitedTime) w.timeLeftMs = kEndlessTimeMs;

    w.aquaReserve += 11;
    if (w.aquaReserve > kAquaReserveMax) w.aquaReserve = kAquaReserveMax;
    if (w.unlimitedTime) w.aquaReserve = kAquaReserveMax;

    w.score += w.objects.sizeAdded;
    w.objects.sizeAdded = 0;

    if (w.comboTimer > 0) {
        w.comboTimer -= 1;
        if (w.comboTimer == 0) w.comboCount = 1;
    }
}

void mutationKey(World& w, TaskList& effects) {
    if (!w.input || !keyPressed(*w.input, platform::DIK_SPACE)) return;
    if (w.timeLeftMs <= 0) return;

    for (WorldObject* o = w.objects.head->next; o->active; o = o->next) {
        if (isElement(o->kind) && nearCursor(w, *o)) o->dying = true;
    }
    // Objects added by the bursts land behind the walk and are reached by it; they are not dying.
    const int element = w.objects.kindRanking[2];
    beginIteration(w.objects);
    while (!atEnd(w.objects)) {
        WorldObject* o = nextRecord(w.objects);
        if (o->dying && o->size > 50) burstAs(w, *o, element);
    }

    // The mutation costs ten seconds; with less left the time reads 0 and the play ends this frame.
    w.timeLeftMs -= kMutationCostMs;
    if (w.timeLeftMs < 0) w.timeLeftMs = 0;
    screenFlash(effects, 100, 255, 100, kFlashFrames);
    playWorldSound(w, kSlotMutation);
}

void checkOverpopulation(World& w, TaskList& effects) {
    if (w.objects.count < w.objects.capacity) return;
    resetPool(w.seeds, true);
    // The objects created per kind go on counting over the whole play.
    resetPool(w.objects, false);
    // The held record is now free and will be reused by whatever comes next; let it go.
    w.grabbed = nullptr;

    // Adding objects draws nothing: the generator is held for the whole refill.
    HeldRandom r = holdRandom(w.math);
    for (int i = 0; i < kOverpopulationRefill; ++i) {
        if (nextRandom(r) % 100u >= 90u) {
            addRefillClover(w, r);
        } else {
            addRefillDrop(w, r);
        }
    }
    putBackRandom(w.math, r);
    screenFlash(effects, 255, 255, 255, kFlashFrames);
}

void screenFlash(TaskList& effects, int red, int green, int blue, int frames) {
    queueEffect(effects, 0, fadeOutAdditive, 0, fadePayload(red, green, blue, frames));
}

void releaseFaded(World& w) { removeFadedRecords(w.objects); }

void countEndOfPlay(World& w) {
    advanceEnd(w);
    checkTimeUp(w);
}

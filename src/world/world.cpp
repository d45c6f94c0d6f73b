#include "world/world.h"

#include <cstring>

void buildWorld(World& w, RandomWords& words, SoundSystem& sound) {
    w.sound = &sound;
    buildLimiter(w.soundLimiter);
    w.viewX = w.viewY = 0.0f;
    w.mouseX = w.mouseY = 0;
    w.cursorX = w.cursorY = 0;
    w.prevCursorX = w.prevCursorY = 0;
    initMathTables(w.math, words);
    buildTrail(w.trail);
    buildPool(w.objects, kObjectCapacity);
    buildPool(w.seeds, kSeedCapacity);
    buildGrid(w.grid);
    w.waveX = w.waveY = 0;
    w.input = nullptr;
    reseedFromClock(w.math);
}

void resetPlay(World& w) {
    stopAll(*w.sound);
    clearLimiter(w.soundLimiter);
    w.score = 0;
    w.scoreCarry = 0;
    w.elapsedMs = 0;
    w.viewX = 320.0f;
    w.viewY = 240.0f;
    w.aquaReserve = 5000;
    w.attractWave = 0;
    w.repelWave = 0;
    w.comboTimer = 0;
    w.comboCount = 1;
    w.lastDreamPoints = 0;
    w.dreamsCollected = 0;
    w.nextBonusAt = 0;
    w.pressFrames = 0;
    w.pressWasLeft = true;
    w.waveX = 0;
    w.waveY = 0;
    w.stroke = 0;
    w.grabbed = nullptr;
    w.grabBlocked = false;
    clearTrail(w.trail);
    resetPool(w.objects, true);
    resetPool(w.seeds, true);
    w.endCounter = 0;
    w.hintShown = false;
    w.musicSlot = kSlotPlayMusic;
    playMusic(*w.sound, kSlotPlayMusic);
}

void playCurrentMusic(World& w) {
    if (w.musicSlot != kNoMusic) playMusic(*w.sound, w.musicSlot);
}

void checkTimeUp(World& w) {
    if (w.endCounter == 0 && w.timeLeftMs <= 0) w.endCounter = 1;
}

void advanceEnd(World& w) {
    if (w.endCounter > 0) w.endCounter += 1;
}

bool playWorldSound(World& w, int slot) { return playLimited(w.soundLimiter, *w.sound, slot); }

namespace {

struct Fnv {
    uint64_t hash = 14695981039346656037ull;

    void bytes(const void* data, size_t n) {
        const unsigned char* p = static_cast<const unsigned char*>(data);
        for (size_t i = 0; i < n; ++i) {
            hash ^= p[i];
            hash *= 1099511628211ull;
        }
    }
    void i32(int32_t v) { bytes(&v, sizeof v); }
    void u32(uint32_t v) { bytes(&v, sizeof v); }
    void f32(float v) {
        uint32_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        u32(bits);
    }
};

void digestRecord(Fnv& f, const WorldObject& r) {
    f.i32(r.serial);
    f.i32(r.dying);
    f.i32(r.kind);
    f.f32(r.x);
    f.f32(r.y);
    f.f32(r.vx);
    f.f32(r.vy);
    f.i32(r.size);
    f.i32(r.angle);
    f.i32(r.alpha);
    f.i32(r.red);
    f.i32(r.green);
    f.i32(r.blue);
    f.i32(r.cellY);
    f.i32(r.cellX);
    f.i32(r.cellW);
    f.i32(r.cellH);
    f.i32(r.launchTimer);
    f.i32(r.charge);
    f.i32(r.touched);
    f.i32(r.absorbed);
    f.i32(r.clover);
    f.i32(r.fadeTimer);
    f.i32(r.content);
}

void digestPool(Fnv& f, const ObjectPool& pool) {
    f.i32(pool.count);
    for (int k = 0; k < kCountedKinds; ++k) {
        f.i32(pool.liveByKind[k]);
        f.i32(pool.createdByKind[k]);
    }
    for (int k : pool.kindRanking) f.i32(k);
    f.i32(pool.sizeAdded);
    for (const WorldObject* r = pool.head->next; r->active; r = r->next) digestRecord(f, *r);
}

}  // namespace

uint64_t worldDigest(const World& w) {
    Fnv f;
    digestPool(f, w.objects);
    digestPool(f, w.seeds);
    f.u32(w.math.randomState);
    f.i32(w.score);
    f.i32(w.scoreCarry);
    f.i32(w.timeLeftMs);
    f.i32(w.elapsedMs);
    f.i32(w.aquaReserve);
    f.i32(w.comboCount);
    f.i32(w.dreamsCollected);
    f.i32(w.pairTests);
    f.i32(w.endCounter);
    for (int32_t c : w.soundLimiter.credits) f.i32(c);
    return f.hash;
}

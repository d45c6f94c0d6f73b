#pragma once
// All state of one play: the field's objects and seeds, the cursor, the counters,
// the generator and the small containers. Built once, reset for every play. It plays its
// music and effects on the App's sound system and reads the App's input; what it shows is
// drawn by passes that only read it.

#include <cstdint>

#include "sound/sound_system.h"
#include "support/math_tables.h"
#include "world/collision_grid.h"
#include "world/object_pool.h"
#include "world/sound_limiter.h"
#include "world/trail_ring.h"
#include "world/world_object.h"

struct InputDevice;

constexpr int kObjectCapacity = 555;
constexpr int kSeedCapacity = 100;
constexpr int kNoMusic = -1;

struct World {
    InputDevice* input = nullptr;       // the mouse and keys the player's actions read
    SoundSystem* sound = nullptr;       // where the world's music and effects play
    SoundLimiter soundLimiter;
    float viewX = 0, viewY = 0;
    int32_t mouseX = 0, mouseY = 0;
    int32_t cursorX = 0, cursorY = 0;
    int32_t prevCursorX = 0, prevCursorY = 0;
    WorldObject* grabbed = nullptr;
    bool grabBlocked = false;
    MathTables math;
    TrailRing trail;
    ObjectPool objects;
    ObjectPool seeds;
    CollisionGrid grid;
    int32_t score = 0;
    int32_t scoreCarry = 0;
    int32_t timeLeftMs = 0;
    int32_t elapsedMs = 0;
    int32_t aquaReserve = 0;
    int32_t comboTimer = 0;
    int32_t comboCount = 1;
    int32_t lastDreamPoints = 0;
    int32_t dreamsCollected = 0;
    int32_t nextBonusAt = 0;
    int32_t attractWave = 0;
    int32_t repelWave = 0;
    int32_t pressFrames = 0;
    bool pressWasLeft = true;
    int32_t waveX = 0, waveY = 0;
    int32_t stroke = 0;
    int32_t pairTests = 0;
    int32_t musicSlot = kNoMusic;
    int32_t endCounter = 0;
    bool cloversCollectable = false;
    bool unlimitedTime = false;
    bool hintShown = false;
    int32_t hintStage = 0;
    int32_t hintStageStart = 0;

    World() = default;
    World(const World&) = delete;
    World& operator=(const World&) = delete;
};

// Builds every container once, joins the game's shared generator words and seeds the world's
// generator from the clock. The sound system is the App's, built and loaded by it.
void buildWorld(World& world, RandomWords& words, SoundSystem& sound);
void resetPlay(World& world);
// Plays the music of musicSlot unless there is none.
void playCurrentMusic(World& world);
void checkTimeUp(World& world);
void advanceEnd(World& world);
// An effect through the world's limiter.
bool playWorldSound(World& world, int slot);

// FNV-1a over the meaningful state: both pools in list order, the generator, the counters.
uint64_t worldDigest(const World& world);

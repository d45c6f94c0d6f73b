#pragma once
// A world on the headless platform with a fixed seed, and small helpers for the rule tests.

#include <gtest/gtest.h>

#include <memory>

#include "platform/headless/headless.h"
#include "support/math_tables.h"
#include "world/collisions.h"
#include "world/object_step.h"
#include "world/seeds.h"
#include "world/world.h"

// The generator as it stands, to replay the draws a rule should have made.
struct GeneratorSnapshot {
    MathTables math;
    RandomWords words;
};

inline GeneratorSnapshot takeSnapshot(const World& w) { return {w.math, *w.math.words}; }

// Puts the shared words back and returns the owner's tables as they were.
inline MathTables replay(const GeneratorSnapshot& s) {
    *s.math.words = s.words;
    return s.math;
}

// A world with its own generator words and a sound system whose table is loaded.
class WorldTest : public ::testing::Test {
protected:
    RandomWords words;
    std::unique_ptr<SoundSystem> soundBox = std::make_unique<SoundSystem>();
    SoundSystem& sound = *soundBox;
    std::unique_ptr<World> world = std::make_unique<World>();
    World& w = *world;

    void SetUp() override {
        platform::headless::resetAudio();
        platform::headless::assumeAudioFilesExist(true);
        platform::headless::clearMessages();
        constructSoundSystem(sound);
        buildWorld(w, words, sound);
        loadSoundTable(sound);
        seed(20240601u);
        resetPlay(w);
        rankKinds(w.objects);
        platform::headless::clearAudioEvents();
    }

    void TearDown() override {
        unloadSoundTable(sound);
        platform::headless::resetAudio();
    }

    void seed(uint32_t word) {
        words = RandomWords{};
        w.math.randomState = word;
    }

    WorldObject& add(int kind, int size, float x, float y, float vx = 0, float vy = 0, int launchTimer = 0) {
        const bool made = addObject(w.objects, kind, size, x, y, vx, vy, 0, 255, 255, 255, 255, launchTimer, false);
        EXPECT_TRUE(made);
        return *newestRecord(w.objects);
    }

    WorldObject& addSeedOf(int kind, int size, float x, float y, float vx = 0, float vy = 0, int charge = 0) {
        const bool made = addSeed(w.seeds, kind, size, x, y, vx, vy, 0, {0, 0, 150, 150}, 0, {10, 20, 30}, charge);
        EXPECT_TRUE(made);
        return *newestRecord(w.seeds);
    }

    // Effects played on a sound slot since the last clearAudioEvents.
    int effectsPlayed(int slot) const {
        int n = 0;
        for (const auto& e : platform::headless::audioEvents()) {
            if (e.call == platform::headless::AudioCall::PlayEffect && e.handle == sound.segments[slot]) n += 1;
        }
        return n;
    }

    // The active objects of one kind, in list order.
    std::vector<WorldObject*> objectsOfKind(int kind) { return ofKind(w.objects, kind); }
    std::vector<WorldObject*> seedsOfKind(int kind) { return ofKind(w.seeds, kind); }

    static std::vector<WorldObject*> ofKind(ObjectPool& pool, int kind) {
        std::vector<WorldObject*> found;
        for (WorldObject* r = pool.head->next; r->active; r = r->next) {
            if (r->kind == kind) found.push_back(r);
        }
        return found;
    }

    static std::vector<WorldObject*> activeRecords(ObjectPool& pool) {
        std::vector<WorldObject*> found;
        for (WorldObject* r = pool.head->next; r->active; r = r->next) found.push_back(r);
        return found;
    }
};

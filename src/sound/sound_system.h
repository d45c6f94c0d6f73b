#pragma once
// Music and effects by slot number: one looping music at a time, overlapping effects.

#include <cstdint>

constexpr int kSoundSlotCount = 18;

// Voices for overlapping effects. No effect of the game lasts longer than kLongestEffectMs;
// the sound limiter's worst case for that long (every slot played as often as its credits
// allow), the mixer's buffer and the few effects played outside the limiter (menu, waves)
// fit in this many, which the limiter checks when it is built.
constexpr int kEffectVoices = 192;
constexpr int kLongestEffectMs = 1000;
// An effect that still finds no voice free is dropped; standard error hears of it at most
// once in this many milliseconds.
constexpr uint32_t kDropReportIntervalMs = 1000;

// Sound slots of the sound table.
enum SoundSlot : int {
    kSlotTitleMusic = 0,
    kSlotPlayMusic = 1,
    kSlotDecide = 2,
    kSlotSelect = 4,
    kSlotAqua = 5,
    kSlotLeaf = 6,
    kSlotFlare = 7,
    kSlotMetal = 9,
    kSlotLife = 10,
    kSlotDream = 11,
    kSlotOpen = 12,
    kSlotGetClover = 13,
    kSlotGetDream = 14,
    kSlotAttract = 15,
    kSlotRepel = 16,
    kSlotMutation = 17,
};

struct SoundSystem {
    int segments[kSoundSlotCount];      // platform sound handles, -1 for an empty slot
    int segmentCount = kSoundSlotCount;
    int bgmVolume = 0;                  // hundredths of a decibel
    int seVolume = 0;
    bool muted = false;
    bool started = false;               // initSound has opened the output
    // The output could not be opened when the table loaded: the files were checked, the game
    // plays muted, and F3 (openMissingOutput) tries again.
    bool outputMissing = false;
    int droppedEffects = 0;             // dropped since the last report on standard error
    bool dropReported = false;          // a report was written, at lastDropReportMs
    uint32_t lastDropReportMs = 0;
};

void constructSoundSystem(SoundSystem& sound);              // every slot empty, volumes 0, not muted
// Opens the output. False when it cannot: standard error hears so and why, and nothing else
// happens (a machine without sound is no reason to stop the game).
bool initSound(SoundSystem& sound);
bool loadSoundEffect(SoundSystem& sound, int slot, const char* file);
bool loadMusic(SoundSystem& sound, int slot, const char* file);
// Loops from the start; false when muted, and quietly false when the machine cannot play music.
bool playMusic(SoundSystem& sound, int slot);
// Once, overlapping; false when muted or when no voice was free (the effect is dropped).
bool playSoundEffect(SoundSystem& sound, int slot);
void stopAll(SoundSystem& sound);
void shutdownSound(SoundSystem& sound);

// Opens the output and loads the 16 files into their slots, then sets the volumes. Without an
// output every file is still checked (a missing or damaged one ends the game, with sound or
// without), and the game plays muted with outputMissing set.
void loadSoundTable(SoundSystem& sound);
// With the output missing, tries to open it again and loads the table into it; true when the
// output is open now (the game stays muted either way: unmuting is the caller's).
bool openMissingOutput(SoundSystem& sound);
void unloadSoundTable(SoundSystem& sound);

#pragma once
// Music and effects by slot number: one looping music at a time, overlapping effects.

constexpr int kSoundSlotCount = 18;

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
    bool started = false;               // initSound has run
};

void constructSoundSystem(SoundSystem& sound);              // every slot empty, volumes 0, not muted
bool initSound(SoundSystem& sound);                         // fatal on failure
bool loadSoundEffect(SoundSystem& sound, int slot, const char* file);
bool loadMusic(SoundSystem& sound, int slot, const char* file);
bool playMusic(SoundSystem& sound, int slot);               // loops from the start; false when muted
bool playSoundEffect(SoundSystem& sound, int slot);         // once, overlapping; false when muted
void stopAll(SoundSystem& sound);
void shutdownSound(SoundSystem& sound);

void loadSoundTable(SoundSystem& sound);                    // init, the 16 files, the volumes
void unloadSoundTable(SoundSystem& sound);

#pragma once
// Busy fields for the measurements: a realistic mix of kinds spread over the whole field, and
// a seed pool filled the way the game fills it, by bursting lives.

#include <cstdint>

#include "graphics/draw_context.h"
#include "input/input_device.h"
#include "sound/sound_system.h"
#include "support/math_tables.h"
#include "world/collision_grid.h"
#include "world/world.h"

// A world that plays without a window: its sound table loaded (on the headless platform the
// caller first lets it assume the audio files exist), input of its own, and a drawing context
// whose device draws nothing, for the world's own effects.
struct FieldRig {
    RandomWords words;
    SoundSystem sound;
    World world;
    DrawContext drawing;
    InputDevice input;
};
void buildFieldRig(FieldRig& rig);
void destroyFieldRig(FieldRig& rig);

// Empties the play and fills the object pool with objectCount objects and the seed pool with up
// to seedCount seeds. With crowdSide 0 the objects spread over the whole field; otherwise they
// crowd into a square of that side at the field's centre, and the lives that give the seeds
// burst inside it too. The same arguments always give the same field; the world's generator is
// left at seed.
void fillField(World& world, int objectCount, int seedCount, uint32_t seed, int crowdSide = 0);

// A mouse that sweeps across the screen: where it is on a given frame, buttons up.
void sweepMouse(InputDevice& input, int frame);

// The digest fields: many busy fields, spread and crowded, each played for kDigestFrames frames
// with the mouse sweeping over it, so that a change to the rules' arithmetic can be proven exact
// on fields that the recorded plays never reach.
constexpr int kDigestFrames = 60;
constexpr int kDigestFirstFrame = 301;
constexpr int kDigestFieldsPerShape = 6;   // fields of each layout and object count

struct DigestField {
    int crowdSide;      // 0: spread over the whole field
    int objects;
    uint32_t seed;
};

struct FrameDigest {
    uint64_t digest;    // worldDigest after the frame
    int pairTests;      // pair tests of the frame
};

int digestFieldCount();
DigestField digestField(int index);
// "spread", "crowded600", "crowded400": the name the field's lines start with.
const char* layoutName(int crowdSide);

// Plays the field's frames in a rig built fresh for it (the shared generator words reset too),
// so that every field gives the same digests whatever ran before, with the pair pass taking the
// given path. On the headless platform the caller first lets it assume the audio files exist.
void playDigestField(const DigestField& field, PairPath path, FrameDigest (&frames)[kDigestFrames]);

// The path named by pairPathName; false for any other name.
bool parsePairPath(const char* name, PairPath& path);

#pragma once
// Busy fields for the measurements: a realistic mix of kinds spread over the whole field, and
// a seed pool filled the way the game fills it, by bursting lives.

#include <cstdint>

struct World;
struct InputDevice;

// Empties the play and fills the object pool with objectCount objects and the seed pool with up
// to seedCount seeds. The same arguments always give the same field; the world's generator is
// left at seed.
void fillField(World& world, int objectCount, int seedCount, uint32_t seed);

// A mouse that sweeps across the screen: where it is on a given frame, buttons up.
void sweepMouse(InputDevice& input, int frame);

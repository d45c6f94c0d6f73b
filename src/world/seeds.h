#pragma once
// Seeds: the travelling creatures a bursting life releases, and what they turn into.

struct World;
struct WorldObject;

void updateSeeds(World& world, int frame);
void sproutSeed(World& world, const WorldObject& parent, int kind, int cellY, int cellH);
// Turns a seed that left the field or grew old into an object, and releases it.
void seedToObject(World& world, WorldObject& seed);
// A bursting life puts three seeds into the seed pool.
void hatchSeeds(World& world, WorldObject& lifeCell);

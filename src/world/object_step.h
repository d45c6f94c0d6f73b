#pragma once
// The per-frame step of every object: launch motion, timers, leaving the field,
// the kind's own behaviour, then the burst and bloom rules.

struct World;
struct WorldObject;

void updateObjects(World& world, int frame);
// The common way an object goes away: 8 frames of fading, drawn over the others.
void beginDying(World& world, WorldObject& object);
void spawnLifeChild(World& world, const WorldObject& parent, int childSize);
void stepLargeObject(World& world, WorldObject& object, int frame);

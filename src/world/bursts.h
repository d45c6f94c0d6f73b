#pragma once
// What a charged object turns into (charge 300) and how a flower blooms (charge 1300),
// with the spawn operations that bursts, blooms, meetings and seeds share.

struct World;
struct WorldObject;

void burstObject(World& world, WorldObject& object);
void bloomObject(World& world, WorldObject& object);

void spawnAquaSpray(World& world, const WorldObject& source, int count, double factor, bool nudge);
void spawnLeafRing(World& world, const WorldObject& source, int count);
void spawnFlareBurst(World& world, const WorldObject& source, int extraSize);
void spawnFlare(World& world, const WorldObject& source);
void spawnSoil(World& world, const WorldObject& source);
void spawnMetalBurst(World& world, const WorldObject& source);
void spawnDreams(World& world, const WorldObject& source);
void openBud(World& world, const WorldObject& bud);

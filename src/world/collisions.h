#pragma once
// The pair pass: objects that touch meet, and the meeting rules transform them.

struct World;
struct WorldObject;

void collideObjects(World& world, int frame);
bool testPair(World& world, WorldObject& a, WorldObject& b, int frame);
void interact(World& world, WorldObject& actor, WorldObject& target, int frame);
void interactWithFlower(World& world, WorldObject& actor, WorldObject& target, int frame);
void spawnLifeFromPair(World& world, const WorldObject& metalPiece, const WorldObject& soilClod);

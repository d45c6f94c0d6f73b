#pragma once
// The pair pass: objects that touch meet, and the meeting rules transform them.

struct World;
struct WorldObject;

// Which of its two objects a meeting changed in what a pair test reads: position, size, kind,
// dying or launch timer. The pair pass refreshes its copies of the objects it names. A change
// to anything else (charge, glow, what was absorbed) is not reported.
enum MeetingChange : int {
    changedNeither = 0,
    changedActor = 1,
    changedTarget = 2,
    changedBoth = changedActor | changedTarget,
};

void collideObjects(World& world, int frame);
bool testPair(World& world, WorldObject& a, WorldObject& b, int frame);
MeetingChange interact(World& world, WorldObject& actor, WorldObject& target, int frame);
MeetingChange interactWithFlower(World& world, WorldObject& actor, WorldObject& target, int frame);
void spawnLifeFromPair(World& world, const WorldObject& metalPiece, const WorldObject& soilClod);

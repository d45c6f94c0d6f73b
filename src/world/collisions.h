#pragma once
// The pair pass: objects that touch meet, and the meeting rules transform them.

#include <cstdint>

struct World;
struct WorldObject;

// Which of its two objects a meeting changed in what the pair pass keeps a copy of: position,
// size, kind or dying. The pass reads those objects again. A change to anything else (launch
// timer, charge, glow, what was absorbed) is not reported: the pass reads the launch timers from
// the objects themselves.
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
// The target kinds an actor kind has a rule for, one bit a kind (1 << kind); interact with any
// other target changes nothing.
uint32_t ruleTargets(int actorKind);
void spawnLifeFromPair(World& world, const WorldObject& metalPiece, const WorldObject& soilClod);

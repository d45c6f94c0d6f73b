#pragma once
// The pair pass: objects that touch meet, and the meeting rules transform them.

#include <cstdint>

struct World;
struct WorldObject;

// Which of its two objects a meeting changed in what the pair pass keeps a copy of: position,
// size, kind, dying or whether it is launching. The pass reads those objects again. A change to
// anything else (how long a launch lasts, charge, glow, what was absorbed) is not reported.
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
// The same, as far as the pair pass can tell before a meeting: the rule bits an object offers as a
// target and those of the targets it acts on, from its kind, size and launch and the frame. Where
// the actor's acting bits and the target's bits share none, interact changes nothing.
uint32_t targetBits(const WorldObject& target);
uint32_t actingBits(const WorldObject& actor, int frame);
void spawnLifeFromPair(World& world, const WorldObject& metalPiece, const WorldObject& soilClod);

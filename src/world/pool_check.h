#pragma once
// Whole-pool checks for long runs: the list of a pool holds every record once, the active ones
// first, and its counters agree with what the list holds.

struct ObjectPool;
struct World;

// The first fault found in the pool, or nullptr when it is whole. countKinds also checks the
// per-kind counts (the objects pool keeps them; the seed pool does not).
const char* poolFault(const ObjectPool& pool, bool countKinds);

// Both pools of the world, the kinds they hold and the grabbed object; nullptr when all is well.
const char* worldPoolFault(const World& world);

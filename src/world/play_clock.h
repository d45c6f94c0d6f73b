#pragma once
// The books of a play: the clock that runs the time down and refills the water, the score,
// the combo, the mutation key, the overpopulation rule, the release of faded records and the
// end of the play.

struct World;
struct TaskList;

constexpr int kScoreLimit = 99999999;
constexpr int kEndlessTimeMs = 5999590;
constexpr int kAquaReserveMax = 10000;
constexpr int kMutationCostMs = 10000;
constexpr int kOverpopulationRefill = 388;

// frame is the play scene's frame counter, 1 on the play's first frame.
void advanceClock(World& world, int frame);
// The space bar: nearby elements die and burst as the third most numerous element, for ten
// seconds; the screen flashes green through the effects list.
void mutationKey(World& world, TaskList& effects);
// A full object pool empties both pools and refills the field with water and clovers; the screen
// flashes white through the effects list.
void checkOverpopulation(World& world, TaskList& effects);
// A full-screen colour that dies away over the given frames, queued on a (front) task list.
void screenFlash(TaskList& effects, int red, int green, int blue, int frames);
void releaseFaded(World& world);
// advanceEnd, then checkTimeUp.
void countEndOfPlay(World& world);

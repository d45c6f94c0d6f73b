#pragma once
// The idle hints: a player who has not started spraying three seconds into a play is shown
// three hint pictures in turn, queued in front of the play.

struct World;
struct TaskList;

// Called every play frame after the other world steps. The stages advance whatever is drawn;
// the pictures go on the effects list (the front task list).
void stageIdleHints(World& world, TaskList& effects);

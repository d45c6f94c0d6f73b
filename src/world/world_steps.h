#pragma once
// The world's part of one play frame: every rule step in the play's order, from the clock to
// the idle hints. The play frame of the game and of the simulator runs it.

struct World;
struct DrawContext;

// frame is the play's frame counter after it advanced (1 on the play's first frame). The view
// follows the drawing context's zoom, and the world's own effects (flashes, hint pictures) go on
// its front task list; queueing an effect draws no random number.
void runPlayWorldSteps(World& world, DrawContext& drawing, int frame);

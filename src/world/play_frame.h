#pragma once
// The world's part of one play frame: every rule step in the play scene's order, from the
// clock to the idle hints. The play scene and the headless simulator both run it, so both
// play by exactly the same rules.

struct World;

// frame is the play scene's frame counter after it advanced (1 on the play's first frame);
// zoom is the view zoom the scene's drawing uses. Effects are queued on the world's renderer
// when it has one; without one the world changes exactly the same way, since queueing an
// effect draws no random number.
void runPlayWorldSteps(World& world, int frame, float zoom);

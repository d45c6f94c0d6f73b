#pragma once
// The staged moments of a play, queued as front effect tasks: the opening fade and title
// pictures, the end picture with its band and white fades, and the idle hints for a player
// who has not started spraying.

struct World;
struct Renderer;

void stagePlayOpening(Renderer& renderer);
void stagePlayEnding(Renderer& renderer);
// Called every play frame after the world steps. The hint stages advance without a renderer;
// only the pictures need one.
void stageIdleHints(World& world);

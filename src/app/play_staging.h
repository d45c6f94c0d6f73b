#pragma once
// The staged moments of a play, queued as front effect tasks: the opening fade and title
// pictures (with the view and the HUD made ready), and the end picture with its band and
// white fades.

struct Renderer;

void stagePlayOpening(Renderer& renderer);
void stagePlayEnding(Renderer& renderer);

#pragma once
// One frame of a play, for the game's play scene and the simulator alike: the same input
// mapping, world steps, view and HUD keys and drawing passes, in the same order, so that a play
// in the simulator is a play of the game.

#include <cstdint>

struct App;

enum class PlayMode { normal, clover, endless };

// Reads the frame's keyboard and mouse and maps the cursor into the field, as every frame of the
// game does first; false when the keyboard cannot be read (the frame then does nothing else).
bool readFrameInput(App& app);

// Sets the mode's flags (and the full time, but for the endless play, which keeps the last) and
// makes the play scene current, starting on its next frame.
void startPlay(App& app, PlayMode mode);

// One play frame after readFrameInput: on the play's first frame its opening, then the world
// steps, the view and HUD keys, and every drawing pass (which draw nothing while the device's
// drawing is off, but still take the HUD clock's flicker from the effects' generator). Returns
// true once the play has ended and its ending has been shown: the game then goes back to the
// title, the simulator starts the next play.
bool playFrame(App& app);

// The drawing passes of a play frame, in their order: the wave rings queued, white paper, the
// back tasks, seeds, objects, trail and cursor, the paper filter, HUD and combo, the mini-map and
// the front tasks.
void drawPlay(App& app);

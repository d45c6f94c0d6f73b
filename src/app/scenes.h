#pragma once
// Scenes: one screen of the game each, a plain function the frame loop calls once a frame.

struct App;

using Scene = void (*)(App& app);

// Counts a frame of the current scene; a wrap to 0 becomes 1, so entry actions never repeat.
void advanceSceneFrame(App& app);
// Stores another scene; it starts with its entry actions on the next frame.
void switchScene(App& app, Scene scene);

// Black screen with the loading picture until the frame rate is steady (28 or more over a full
// second) or 150 frames have passed, then the title scene, when the game has one.
void sceneBoot(App& app);

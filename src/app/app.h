#pragma once
// The application object: it owns the generator words every generator of the game shares, the
// sound system, the world, the drawing side, the input and the menu buttons for the whole run,
// and runs one frame at a time at a steady 30 frames per second.

#include <cstdint>

#include "app/menu_buttons.h"
#include "app/play_frame.h"
#include "app/renderer.h"
#include "app/replay.h"
#include "app/scenes.h"
#include "input/input_device.h"
#include "sound/sound_system.h"
#include "support/math_tables.h"
#include "world/world.h"

constexpr int kTargetFps = 30;
constexpr int kSkipFrames = 5;          // frames of halved drawing after a heavy frame
constexpr int kLoadMeterWidth = 47;
constexpr float kOverlayNoteX = 51.0f;  // the MUTE and FRAME SKIP notes

struct App {
    Scene scene = nullptr;              // the current scene
    uint32_t sceneFrame = 0;            // 0: the scene's entry actions are due
    RandomWords randomWords;            // shared by the world's and the effects' generators
    SoundSystem sound;
    World world;
    Renderer renderer;
    InputDevice input;
    MenuButtonPool menuButtons;         // the title's and the menu's buttons
    int32_t hoveredButton = 0;          // the button under the cursor, 0 for none
    int32_t targetFps = kTargetFps;
    int32_t framesThisSecond = 0;
    int32_t fps = 0;                    // frames of the last closed one-second window
    uint32_t lastFrameEnd = 0;          // ms
    uint32_t fpsWindowStart = 0;        // ms
    int32_t lastSleep = 0;              // ms slept at the end of the previous frame
    bool zoomOutLock = false;
    PlayMode playMode = PlayMode::normal;   // of the play started last
    bool paused = false;                // the scene is not called
    bool altDownBefore = false;         // an Alt key was down at the reading before this one
    bool inverted = false;              // the whole picture in inverted colours
    int32_t skipCounter = 0;            // frames of frame skipping still to come
    bool quitRequested = false;         // the loop ends after this frame
    // The scene that the boot scene and the title key switch to (tests may put their own there;
    // with none the boot scene stays on the loading picture).
    Scene titleScene = sceneTitle;
    int32_t overlayPeak = 0;            // the load meter's falling peak
    ReplaySession replay;               // the end of each play, its recording, a replay shown

    App() = default;
    App(const App&) = delete;
    App& operator=(const App&) = delete;
};

// Builds the world, the renderer (showing the loading picture) and the input, loads the sounds
// and makes the boot scene current. Ends the program when a part cannot be made.
void constructApp(App& app);
// Releases input, the renderer and the sounds, in that order.
void destroyApp(App& app);
// An App for plays without a window, a sound device or a clock (the simulator): its device is
// never opened and draws nothing, its sound is muted, both generators start from seed and the
// shared words from their first values. Nothing is loaded; destroyAppWithoutDevices frees it.
void constructAppWithoutDevices(App& app, uint32_t seed);
void destroyAppWithoutDevices(App& app);

// One frame: count it, poll input, apply the global keys, run the scene, draw the overlay,
// present, then sleep out the rest of the 33 ms slice.
void runFrame(App& app);
// The global keys (each acts once per press), then the frame-skip decision.
void applyGlobalKeys(App& app);
// The title scene from its start, and the pause ends.
void goToTitle(App& app);
// The frame-rate figure, the load meter with its peak, and the MUTE and FRAME SKIP notes.
void drawDebugOverlay(App& app);

// How much of the last frame slice was spent working, from the time slept: 0.9 or more is heavy.
float frameLoad(const App& app);

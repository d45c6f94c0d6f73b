#pragma once
// Scenes: one screen of the game each, a plain function the frame loop calls once a frame.
// boot -> title -> menu -> {play, information, exit}; information -> menu; play -> title;
// exit -> end of the program.
#include <cstdint>

struct App;
struct DrawContext;
struct GraphicsDevice;
struct MenuButtonPool;

using Scene = void (*)(App& app);

// Counts a frame of the current scene; a wrap to 0 becomes 1, so entry actions never repeat.
void advanceSceneFrame(App& app);
// Stores another scene; it starts with its entry actions on the next frame.
void switchScene(App& app, Scene scene);

// Black screen with the loading picture until the frame rate is steady (28 or more over a full
// second) or 150 frames have passed, then the title scene.
void sceneBoot(App& app);
// The title picture; a click, or 255 frames, leads to the menu.
void sceneTitle(App& app);
// Six image buttons over drifting plants: three kinds of play, how to play, about, exit.
void sceneMenu(App& app);
// How to play and the credits, with a back button.
void sceneInfo(App& app);
// The farewell picture over the darkened menu; the program ends 151 frames in.
void sceneExit(App& app);
// One play, a play frame each frame (see play_frame.h); 164 frames after the time runs out the
// title returns.
void scenePlay(App& app);

// White paper over the whole screen: every scene's picture starts with it.
void clearToWhite(GraphicsDevice& device);

// Menu button ids and what they lead to.
enum MenuButtonId : int32_t {
    kButtonNormal = 1,
    kButtonClover = 2,
    kButtonHowToPlay = 3,
    kButtonExit = 4,
    kButtonEndless = 5,
    kButtonAbout = 6,
    kButtonBack = 7,
};

// Empties the button pool and takes the six main-menu buttons.
void createMenuButtons(MenuButtonPool& buttons);
// The App's button under the mouse (the last one in list order wins), 0 for none; moving onto
// a different button plays the select sound.
void updateMenuHover(App& app);
// The buttons slide into place over the scene's first 20 frames; the hovered one lifts and glows red.
void drawMenuButtons(uint32_t sceneFrame, GraphicsDevice& device, MenuButtonPool& buttons, int32_t hoveredButton);
void drawMenuCursor(uint32_t sceneFrame, DrawContext& drawing, float x, float y);
// The spinning play cursor, scaled with the zoom.
void drawPlayCursor(uint32_t sceneFrame, DrawContext& drawing, float x, float y);

// One zoom step of 0.05 per play frame. Zooming out wins over zooming in; with neither held the
// zoom returns to 1. zoomBlend maps 0.5 -> 0, 1 -> 1, 2 -> 3.
void updateZoom(DrawContext& drawing, bool zoomOut, bool zoomIn);

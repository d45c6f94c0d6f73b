#pragma once
// Headless window and video: what the game asked to be drawn and shown, for tests to check.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/video.h"
#include "platform/window.h"

namespace platform::headless {

// KeepScenePicture, DropKeptScenePicture and ShowKeptScenePicture act on the whole picture (no
// vertices); they are kept in the list of draws so that their place among the draws of a frame
// can be checked.
enum class DrawKind { TriangleFan, Line, KeepScenePicture, DropKeptScenePicture, ShowKeptScenePicture };

// One drawTriangleFan or drawLine call as it was made (a line uses vertices 0 and 1), or a copy
// of the scene picture.
struct DrawCall {
    DrawKind kind = DrawKind::TriangleFan;
    Vertex vertices[4] = {};
    int count = 0;
    int texture = kNoTexture;
    Blend blend;
    Filter filter = Filter::Nearest;
};

struct TextureRecord {
    int handle = -1;
    int imageWidth = 0, imageHeight = 0;
    int width = 0, height = 0;          // padded to powers of two
    std::vector<uint32_t> pixels;       // width * height ARGB, the image at the top-left
    bool destroyed = false;
};

struct VideoRecord {
    std::vector<DrawCall> draws;        // in call order (only while recording is on)
    long long drawCount = 0;            // every draw, recorded or not (copies of the picture aside)
    std::vector<TextureRecord> textures;  // by handle; a handle given out again gets a fresh record
    int presents = 0;
    int beginScenes = 0;
    bool videoInitialised = false;
};

const VideoRecord& videoRecord();
// Forgets the draws and counters; textures stay (they are still alive).
void clearVideoRecord();
// Long headless runs can switch off the keeping of each draw; drawCount still counts.
void setDrawRecording(bool on);
// Makes the next initVideo / createTexture calls fail, to test the game's failure paths.
void setVideoFailures(bool initFails, bool textureFails);

struct WindowRecord {
    bool created = false;
    std::string title;
    int x = 0, y = 0, width = 0, height = 0;   // client area
    bool fullscreen = false;
    bool focus = true;                          // window or not, until set
    bool cursorHidden = false;
    int moves = 0;                              // moveWindow calls
};

const WindowRecord& windowRecord();
void setWindowFocus(bool focus);
void setDesktopSize(int width, int height);     // 1920 x 1080 until set
void setWindowCreationFails(bool fails);
// Queues an event for pollEvent (a window close, or F1 / F2 pressed).
void pushEvent(const Event& event);
// Back to a fresh state: no window, default desktop, no queued events, no failures.
void resetWindow();

}  // namespace platform::headless

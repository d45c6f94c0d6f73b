#pragma once
// Triangle drawing into the 640 x 480 back buffer, textures, present and read-back.
#include <cstdint>

namespace platform {

constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;

// A pre-transformed vertex: screen position, colour ARGB (alpha in the top byte), texture coordinate.
struct Vertex {
    float x, y;
    uint32_t colour;
    float u, v;
};

enum class BlendFactor { Zero, One, SrcAlpha, InvSrcAlpha, DestColour, InvDestColour, SrcColour, InvSrcColour };
enum class Filter { Nearest, Linear };

struct Blend {
    BlendFactor source = BlendFactor::SrcAlpha;
    BlendFactor destination = BlendFactor::InvSrcAlpha;
};

constexpr int kNoTexture = -1;
constexpr int kMaxTextures = 64;   // live at once; a released texture's handle is given out again

bool initVideo();       // renderer and back buffer for the window; false on failure
void shutdownVideo();

// Uploads a 32-bit ARGB image (row-major, width * height pixels, at most 8192 a side). The
// texture is padded to powers of two with the image at its top-left. Returns the lowest free
// handle (0 .. kMaxTextures - 1), or -1 on failure.
int createTexture(const uint32_t* argb, int width, int height);
void destroyTexture(int texture);
void textureSize(int texture, int& width, int& height);   // the padded, real size

// Draws a fan of count vertices (3..4) into the back buffer. texture may be kNoTexture.
// Linear filtering and clamped addressing are for the alpha sprite path; returns false when
// the backend refused the draw: a released texture, or a position or texture coordinate that
// is not a finite number.
bool drawTriangleFan(const Vertex* vertices, int count, int texture, Blend blend, Filter filter);
// Draws one line from vertices[0] to vertices[1], leaving out the end pixel; refused like a fan.
bool drawLine(const Vertex* vertices, Blend blend);

// Points the drawing at the back buffer for a frame's scene; draws go straight into it, so a
// scene has nothing to finish.
void beginScene();
// The scene picture of the last frame that drew one, for the frames that do not (paused):
// keepScenePicture keeps the back buffer as it stands, and showKeptScenePicture puts that
// picture back over the whole back buffer (black before anything was kept). Overlays drawn
// after the keep are never part of it. dropKeptScenePicture gives the kept picture up before a
// new scene is drawn to be kept in its place (shown, it is black until then): drawing over a
// picture that is still kept costs a copy of it, a copy of the notes' corner alone for a draw
// that stays inside that corner.
void keepScenePicture();
void dropKeptScenePicture();
void showKeptScenePicture();
struct ScreenRect {
    int x, y, width, height;
};
// The top-left corner where a frame's notes go over the scene.
constexpr ScreenRect kNotesCorner = {0, 0, 160, 32};
void present();         // shows the back buffer in the window, scaled to it
// Reads the back buffer as 640 * 480 ARGB pixels; false when unavailable.
bool readBackBuffer(uint32_t* argb);

}  // namespace platform

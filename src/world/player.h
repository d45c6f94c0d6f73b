#pragma once
// The player's hand in the world: the cursor mapped into the field, the scrolling view, the
// cursor trail, and the mouse actions (spraying water, hovering to cut, nudge and collect,
// grabbing and charging, and the attract and repel waves).

struct World;

enum class RingPush { attract, repel };

// The stroke energy the moving cursor gathers at most.
constexpr int kStrokeMax = 200;

// Maps the mouse into the field and gathers stroke energy. Called every frame of every scene.
void updateCursor(World& world, float zoom, float zoomBlend);
void updateView(World& world, float zoom);
void spawnCursorTrail(World& world);
void sprayAqua(World& world);
void touchObjects(World& world);
// The bonus object for dreams, somewhere on the field.
void spawnSprout(World& world);
void grabAndCharge(World& world, int frame);
void clickWaves(World& world, int frame);
// Objects in a band of width 30 around the wave ring at this radius get a speed of about 1
// toward the wave centre or away from it.
void pushRing(World& world, int radius, RingPush direction);

bool leftButtonHeld(const World& world);
bool rightButtonHeld(const World& world);

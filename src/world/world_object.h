#pragma once
// One thing of the field: the record type of both object pools.

#include <cstdint>

// Kinds of the objects pool. Kinds 7 and 13 are never made; seeds use 100..109.
enum ObjectKind : int32_t {
    aqua = 0,
    leaf = 1,
    flare = 2,
    soil = 3,
    metal = 4,
    life = 5,
    dream = 6,
    aquaFlower = 8,
    leafFlower = 9,
    flareFlower = 10,
    soilFlower = 11,
    metalFlower = 12,
    sprout = 14,
    bud = 15,
};

constexpr int kCountedKinds = 7;    // kinds 0..6 are counted per kind by a pool
constexpr int kElementKinds = 5;    // aqua, leaf, flare, soil, metal
constexpr int kFirstSeedKind = 100;
constexpr int kLastSeedKind = 109;

constexpr int kFieldWidth = 1280;
constexpr int kFieldHeight = 960;

struct WorldObject {
    int32_t serial = 0;     // number of the record within its pool; never changes
    bool active = false;
    bool dying = false;     // fading out; takes part in nothing any more
    int32_t kind = 0;
    float x = 0, y = 0;
    float vx = 0, vy = 0;
    int32_t size = 0;
    int32_t angle = 0;
    int32_t alpha = 0, red = 0, green = 0, blue = 0;
    int32_t cellY = 0, cellX = 0, cellW = 0, cellH = 0;   // image cell of a seed
    int32_t launchTimer = 0;
    int32_t charge = 0;     // objects: charge poured in; seeds: generation or age
    bool touched = false;
    int32_t absorbed = 0;   // objects: water or heat taken in; seeds: the kind's own counter
    bool clover = false;
    int32_t fadeTimer = 0;
    int32_t content = 0;    // sprout and bud: the element eaten last
    WorldObject* next = nullptr;
    WorldObject* prev = nullptr;
};

inline bool isElement(int kind) { return kind >= aqua && kind <= metal; }
inline bool isFlower(int kind) { return kind >= aquaFlower && kind <= metalFlower; }

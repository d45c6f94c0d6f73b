#pragma once
// The particles the cursor leaves behind.

#include <cstdint>

struct TrailParticle {
    bool active = false;
    float x = 0, y = 0, vx = 0, vy = 0;
    int32_t framesLeft = 0;
    int32_t variant = 0;   // 0..6, picks the drawing
};

constexpr int kTrailCapacity = 45;

struct TrailRing {
    int32_t capacity = kTrailCapacity;
    int32_t live = 0;
    int32_t nextSlot = 0;   // where the search for a free particle starts
    TrailParticle particles[kTrailCapacity];
};

void buildTrail(TrailRing& trail);
bool spawnTrail(TrailRing& trail, float x, float y, float vx, float vy, int variant);
void updateTrail(TrailRing& trail);
void clearTrail(TrailRing& trail);

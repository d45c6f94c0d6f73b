#include "world/trail_ring.h"

void buildTrail(TrailRing& trail) {
    trail.capacity = kTrailCapacity;
    trail.nextSlot = 0;
    clearTrail(trail);
}

bool spawnTrail(TrailRing& trail, float x, float y, float vx, float vy, int variant) {
    // One particle always stays free, so the search below always ends.
    if (trail.live >= trail.capacity - 1) return false;
    while (trail.particles[trail.nextSlot].active) trail.nextSlot = (trail.nextSlot + 1) % trail.capacity;
    TrailParticle& p = trail.particles[trail.nextSlot];
    p.active = true;
    p.x = x;
    p.y = y;
    p.vx = vx;
    p.vy = vy;
    p.framesLeft = 20;
    p.variant = variant;
    trail.live += 1;
    return true;
}

void updateTrail(TrailRing& trail) {
    for (TrailParticle& p : trail.particles) {
        if (!p.active) continue;
        p.x += p.vx;
        p.y += p.vy;
        p.framesLeft -= 1;
        if (p.framesLeft < 1) {
            p.active = false;
            trail.live -= 1;
        }
    }
}

void clearTrail(TrailRing& trail) {
    for (TrailParticle& p : trail.particles) p.active = false;
    trail.live = 0;
}

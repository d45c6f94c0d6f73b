#include "world/pool_check.h"

#include <cmath>

#include "world/world.h"

namespace {

bool objectKind(int kind) {
    return (kind >= aqua && kind <= dream) || isFlower(kind) || kind == sprout || kind == bud;
}

bool seedKind(int kind) { return kind >= kFirstSeedKind && kind <= kLastSeedKind; }

}  // namespace

const char* poolFault(const ObjectPool& pool, bool countKinds) {
    if (pool.head == nullptr || pool.tail == nullptr) return "the pool was never built";
    if (pool.count < 0 || pool.count > pool.capacity) return "count outside 0 ... capacity";
    int active = 0, records = 0;
    int live[kCountedKinds] = {};
    const WorldObject* r = pool.head->next;
    for (; r != pool.tail && r->active; r = r->next, ++records) {
        if (records > pool.capacity + 1) return "the active part loops";
        if (r->next == nullptr || r->next->prev != r) return "broken link in the active part";
        if (r == pool.firstFree) return "firstFree inside the active part";
        active += 1;
        if (r->kind >= 0 && r->kind < kCountedKinds) live[r->kind] += 1;
        if (!std::isfinite(r->x) || !std::isfinite(r->y) || !std::isfinite(r->vx) || !std::isfinite(r->vy))
            return "position or velocity not finite";
    }
    if (r != pool.firstFree) return "firstFree is not the first record after the active part";
    for (; r != pool.tail; r = r->next, ++records) {
        if (records > pool.capacity + 1) return "the free part loops";
        if (r->active) return "an active record in the free part";
        if (r->next == nullptr || r->next->prev != r) return "broken link in the free part";
    }
    if (records != pool.capacity + 1) return "records lost from the list";
    if (active != pool.count) return "count differs from the active records";
    if (countKinds) {
        for (int k = 0; k < kCountedKinds; ++k) {
            if (live[k] != pool.liveByKind[k]) return "a per-kind count differs from the records of that kind";
        }
    }
    return nullptr;
}

const char* worldPoolFault(const World& w) {
    if (const char* fault = poolFault(w.objects, true)) return fault;
    if (const char* fault = poolFault(w.seeds, false)) return fault;
    for (const WorldObject* r = w.objects.head->next; r->active; r = r->next) {
        if (!objectKind(r->kind)) return "an object of no known kind";
    }
    for (const WorldObject* r = w.seeds.head->next; r->active; r = r->next) {
        if (!seedKind(r->kind)) return "a seed of no seed kind";
    }
    if (w.grabbed != nullptr) {
        // The ordinary records lie between the head (first) and the tail (last) of the storage.
        const WorldObject* first = w.objects.storage.get() + 1;
        const WorldObject* last = w.objects.storage.get() + w.objects.capacity + 1;
        if (w.grabbed < first || w.grabbed > last) return "the grabbed object is not a record of the objects pool";
        if (!w.grabbed->active) return "the grabbed object was released";
    }
    return nullptr;
}

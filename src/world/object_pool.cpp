#include "world/object_pool.h"

#include "support/record_chain.h"

namespace {

bool isCounted(int kind) { return kind >= 0 && kind < kCountedKinds; }

// Fills the record at firstFree with what every add sets alike.
WorldObject& takeFreeRecord(ObjectPool& pool, int kind, int size, float x, float y, float vx, float vy,
                            int angle, int alpha, int red, int green, int blue) {
    WorldObject& r = *pool.firstFree;
    r.active = true;
    r.dying = false;
    r.kind = kind;
    r.x = x;
    r.y = y;
    r.vx = vx;
    r.vy = vy;
    r.size = size;
    r.angle = angle;
    r.alpha = alpha;
    r.red = red;
    r.green = green;
    r.blue = blue;
    r.touched = false;
    r.absorbed = 0;
    r.fadeTimer = 0;
    r.content = 0;
    pool.count += 1;
    pool.sizeAdded += size;
    pool.firstFree = r.next;
    return r;
}

}  // namespace

void buildPool(ObjectPool& pool, int capacity) {
    buildRecordPool(pool, capacity);
    pool.sizeAdded = 0;
    for (int k = 0; k < kCountedKinds; ++k) pool.liveByKind[k] = pool.createdByKind[k] = 0;
    for (int& k : pool.kindRanking) k = -1;
}

bool addObject(ObjectPool& pool, int kind, int size, float x, float y, float vx, float vy, int angle,
               int alpha, int red, int green, int blue, int launchTimer, bool clover) {
    if (pool.count >= pool.capacity) return false;
    WorldObject& r = takeFreeRecord(pool, kind, size, x, y, vx, vy, angle, alpha, red, green, blue);
    r.launchTimer = launchTimer;
    r.clover = clover;
    r.charge = 0;
    if (isCounted(kind)) {
        pool.liveByKind[kind] += 1;
        pool.createdByKind[kind] += 1;
    }
    return true;
}

bool addSeed(ObjectPool& pool, int kind, int size, float x, float y, float vx, float vy, int angle, Cell cell,
             int alpha, Rgb colour, int charge) {
    if (pool.count >= pool.capacity) return false;
    WorldObject& r = takeFreeRecord(pool, kind, size, x, y, vx, vy, angle, alpha, colour.r, colour.g, colour.b);
    r.cellY = cell.y;
    r.cellX = cell.x;
    r.cellW = cell.w;
    r.cellH = cell.h;
    r.charge = charge;
    r.launchTimer = 5;
    return true;
}

WorldObject* newestRecord(ObjectPool& pool) {
    WorldObject* r = pool.firstFree->prev;
    return (r && r->active) ? r : nullptr;
}

bool removeCurrent(ObjectPool& pool) {
    if (pool.count <= 0) return false;
    WorldObject* r = pool.cursor->prev;
    // Outside a pass there may be no record taken; nothing to release then.
    if (r == nullptr || r == pool.head || !r->active) return false;
    unlinkRecord(*r);
    r->active = false;
    r->dying = true;
    linkRecordBefore(*r, *pool.tail);
    pool.count -= 1;
    if (isCounted(r->kind)) pool.liveByKind[r->kind] -= 1;
    return true;
}

bool moveToBack(ObjectPool& pool, WorldObject& record) {
    if (pool.count <= 1 || !record.active) return false;
    if (record.next == pool.firstFree) return true;  // already last of the active part
    if (pool.cursor == &record) pool.cursor = record.next;
    unlinkRecord(record);
    linkRecordBefore(record, *pool.firstFree);
    return true;
}

void resetPool(ObjectPool& pool, bool clearCreated) {
    pool.sizeAdded = 0;
    freeAllRecords(pool);
    for (int k = 0; k < kCountedKinds; ++k) {
        pool.liveByKind[k] = 0;
        if (clearCreated) pool.createdByKind[k] = 0;
    }
    for (int& k : pool.kindRanking) k = -1;
}

void rankKinds(ObjectPool& pool) {
    for (int k = 0; k < kElementKinds; ++k) pool.kindRanking[k] = k;
    for (int pass = 0; pass < kElementKinds - 1; ++pass) {
        for (int i = 0; i < kElementKinds - 1 - pass; ++i) {
            int& first = pool.kindRanking[i];
            int& second = pool.kindRanking[i + 1];
            if (pool.liveByKind[first] < pool.liveByKind[second]) {
                const int t = first;
                first = second;
                second = t;
            }
        }
    }
}

void removeFadedRecords(ObjectPool& pool) {
    beginIteration(pool);
    while (!atEnd(pool)) {
        WorldObject* r = nextRecord(pool);
        if (r->dying && r->fadeTimer == 0) removeCurrent(pool);
    }
}

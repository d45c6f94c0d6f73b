#pragma once
// A fixed pool of WorldObject records kept in one doubly linked list:
// head, the active records, the free records (from firstFree), tail.
// Built once; adds, removals and moves only relink records.

#include <cstdint>
#include <memory>

#include "graphics/draw_values.h"
#include "support/record_chain.h"
#include "world/world_object.h"

struct ObjectPool {
    int32_t capacity = 0;
    int32_t count = 0;                       // active records
    int32_t liveByKind[kCountedKinds] = {};
    int32_t createdByKind[kCountedKinds] = {};
    int32_t kindRanking[kElementKinds] = {-1, -1, -1, -1, -1};
    int32_t sizeAdded = 0;                   // sizes added since the owner last took it
    WorldObject* head = nullptr;
    WorldObject* tail = nullptr;
    WorldObject* firstFree = nullptr;
    WorldObject* cursor = nullptr;
    std::unique_ptr<WorldObject[]> storage;  // head, capacity + 1 records, tail
};

void buildPool(ObjectPool& pool, int capacity);

bool addObject(ObjectPool& pool, int kind, int size, float x, float y, float vx, float vy, int angle,
               int alpha, int red, int green, int blue, int launchTimer, bool clover);
// A seed keeps the cell it is drawn from; charge is its generation or age.
bool addSeed(ObjectPool& pool, int kind, int size, float x, float y, float vx, float vy, int angle, Cell cell,
             int alpha, Rgb colour, int charge);
// The record the last successful add filled.
WorldObject* newestRecord(ObjectPool& pool);

// A pass over the active records; inline, as every step of a frame makes one or more.
inline void beginIteration(ObjectPool& pool) { beginRecordPass(pool); }
inline bool atEnd(const ObjectPool& pool) { return recordPassEnded(pool); }
inline WorldObject* nextRecord(ObjectPool& pool) { return takePassRecord(pool); }

// Releases the record the iteration took last (the one just before the cursor).
bool removeCurrent(ObjectPool& pool);
// Moves an active record to the end of the active part, so that it is drawn over the others.
bool moveToBack(ObjectPool& pool, WorldObject& record);

void resetPool(ObjectPool& pool, bool clearCreated);
void rankKinds(ObjectPool& pool);

// Releases every record that is dying with its fade run out, in list order.
void removeFadedRecords(ObjectPool& pool);

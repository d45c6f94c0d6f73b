#pragma once
// Broad phase of the pair pass: 8 x 7 cells of 200 x 200 units, rebuilt every frame.
// Column 1 and row 1 are twice as wide because indices truncate toward zero.

#include <cstdint>
#include <memory>

struct WorldObject;

struct GridEntry {
    WorldObject* object = nullptr;   // none in a cell's end marker
    bool spansCells = false;
    GridEntry* next = nullptr;
    GridEntry* prev = nullptr;
};

constexpr int kGridColumns = 8;
constexpr int kGridRows = 7;
constexpr int kGridCellCount = kGridColumns * kGridRows;
constexpr int kGridEntryCount = 614;

// How the pair pass tests its pairs: entry by entry along the cell chains, or from the pair
// arrays 4 or 8 entries at a time. All three make the same float operations in the same order,
// so they meet the same pairs and leave the same world.
enum class PairPath : int32_t { scalar, sse2, avx2 };

// The reach between two objects depends only on whether each is a sprout, a leaf, a soil or
// anything else: the outer object's class picks the reach array of the pair arrays.
enum ReachClass : int32_t { reachCommon, reachLeaf, reachSoil, reachSprout, kReachClassCount };

constexpr int kPairLanes = 8;   // the widest block the pair pass reads
// Every entry the grid can hold, and room for a block read that starts at the last one.
constexpr int kPairArrayCapacity = kGridEntryCount + kPairLanes;

// The grid's entries copied after it is filled, cell by cell in chain order: cell c holds
// cellStart[c] .. cellStart[c + 1] - 1. The pass keeps them up to date as meetings change objects.
struct PairArrays {
    float x[kPairArrayCapacity];
    float y[kPairArrayCapacity];
    int32_t size[kPairArrayCapacity];
    float reach[kReachClassCount][kPairArrayCapacity];   // reach with an object of each class
    int32_t dyingMask[kPairArrayCapacity];                // all bits set while dying
    int32_t reachClass[kPairArrayCapacity];
    int32_t kindBit[kPairArrayCapacity];                  // one bit a kind, to find pairs no rule joins
    uint32_t mayMeet[kPairArrayCapacity];                 // the kinds' bits it may meet
    bool spansCells[kPairArrayCapacity];
    WorldObject* object[kPairArrayCapacity];
    int32_t cellStart[kGridCellCount + 1];
};

struct CollisionGrid {
    int32_t entryCount = kGridEntryCount;
    int32_t cellWidth = 200, cellHeight = 200;
    int32_t columns = kGridColumns, rows = kGridRows;
    int32_t inserted = 0;
    PairPath pairPath = PairPath::scalar;
    GridEntry* head = nullptr;
    GridEntry* tail = nullptr;
    GridEntry* cells[kGridCellCount] = {};
    std::unique_ptr<GridEntry[]> storage;
    std::unique_ptr<PairArrays> arrays;
};

// The widest pair path this machine runs, asked of the processor once; buildGrid sets it.
PairPath fastestPairPath();
bool pairPathAvailable(PairPath path);
// "scalar", "sse2" or "avx2".
const char* pairPathName(PairPath path);

void buildGrid(CollisionGrid& grid);
void clearGrid(CollisionGrid& grid);
bool insertObject(CollisionGrid& grid, WorldObject& record);
// The cell's first entry, or an end marker for a cell outside the grid.
GridEntry* cellAt(CollisionGrid& grid, int column, int row);
// Cell index of a coordinate; false when it falls outside 0..cellsAcross-1.
bool gridIndex(float coordinate, int cellSize, int cellsAcross, int& index);

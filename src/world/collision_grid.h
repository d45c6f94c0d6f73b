#pragma once
// Broad phase of the pair pass: 8 x 7 cells of 200 x 200 units, rebuilt every frame.
// Column 1 and row 1 are twice as wide because indices truncate toward zero.

#include <cstdint>
#include <memory>

#include "world/world_object.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
// The entries the grid takes at most: a full pool; the chain refuses any further one.
constexpr int kGridMostEntries = kGridEntryCount - kGridCellCount - 2;
// Every entry the grid can hold, each cell rounded up to whole blocks, in whole blocks (so that
// each of the reach arrays starts on one).
constexpr int kPairArrayCapacity =
    (kGridMostEntries + kGridCellCount * (kPairLanes - 1) + kPairLanes - 1) / kPairLanes * kPairLanes;

// The grid's entries as the pair pass reads them, filled straight from the pool each frame: cell c
// holds cellStart[c] .. cellEnd[c] - 1 in chain order (the newest first), then padding up to the
// next whole block, where the next cell starts. So a block of 8 never reaches into another cell,
// and the padding is never alive. The pass keeps the entries up to date as meetings change objects.
// A block starts on a whole block of its array: 32 bytes, the width of an AVX2 read.
struct PairArrays {
    alignas(32) float x[kPairArrayCapacity];
    alignas(32) float y[kPairArrayCapacity];
    alignas(32) int32_t size[kPairArrayCapacity];
    // Half the reach with an object of each class: the touching distance is the sizes' sum times
    // it, exactly as the sum halved times the reach, since halving a float is exact.
    alignas(32) float halfReach[kReachClassCount][kPairArrayCapacity];
    alignas(32) int32_t aliveMask[kPairArrayCapacity];    // all bits set while not dying, none in padding
    // The rules an entry takes part in: its targetBits in the low half, its actingBits in the
    // high half. A pair meets only where one side's bits are among those the other acts on.
    alignas(32) uint32_t ruleBits[kPairArrayCapacity];
    int32_t kind[kPairArrayCapacity];
    bool spansCells[kPairArrayCapacity];
    WorldObject* object[kPairArrayCapacity];
    int32_t cellStart[kGridCellCount + 1];
    int32_t cellEnd[kGridCellCount];
    // The fill's own scratch: what it read of each object entered, in pool order, so that each
    // object is read once; and the next free place from the end of each cell.
    struct Pending {
        WorldObject* object;
        float x, y;
        int32_t size, kind;
        uint32_t ruleBits;
        int32_t cell;
        bool spansCells, dying;
    };
    Pending pending[kGridMostEntries];
    int32_t fillCursor[kGridCellCount];
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
inline bool gridIndex(float coordinate, int cellSize, int cellsAcross, int& index) {
    const float cells = coordinate / static_cast<float>(cellSize);
    // Truncation toward zero plus one gives 0..cellsAcross-1 exactly for cells in (-2, cellsAcross - 1).
    if (!(cells > -2.0f && cells < static_cast<float>(cellsAcross - 1))) return false;
    index = static_cast<int>(cells) + 1;
    return true;
}

// The cell an object is entered in, that of its box's upper left corner, and whether the box
// reaches into other cells; false when a corner of the box lies outside the grid.
inline bool gridCellOf(const CollisionGrid& grid, const WorldObject& record, int& cell, bool& spansCells) {
    const int q = record.size / 4;
#if defined(__SSE2__)
    // The four coordinates of gridIndex side by side: the same divisions, comparisons and
    // truncations, lane by lane (x - -q is exactly x + q).
    const float fq = static_cast<float>(q);
    const __m128 box = _mm_sub_ps(_mm_setr_ps(record.x, record.y, record.x, record.y), _mm_setr_ps(fq, fq, -fq, -fq));
    const float width = static_cast<float>(grid.cellWidth), height = static_cast<float>(grid.cellHeight);
    const __m128 cells = _mm_div_ps(box, _mm_setr_ps(width, height, width, height));
    const float columnsBelow = static_cast<float>(grid.columns - 1), rowsBelow = static_cast<float>(grid.rows - 1);
    const __m128 below = _mm_setr_ps(columnsBelow, rowsBelow, columnsBelow, rowsBelow);
    const __m128 inside = _mm_and_ps(_mm_cmpgt_ps(cells, _mm_set1_ps(-2.0f)), _mm_cmplt_ps(cells, below));
    if (_mm_movemask_ps(inside) != 0xF) return false;
    alignas(16) int32_t index[4];   // low column, low row, high column, high row
    _mm_store_si128(reinterpret_cast<__m128i*>(index), _mm_add_epi32(_mm_cvttps_epi32(cells), _mm_set1_epi32(1)));
    cell = index[0] + index[1] * grid.columns;
    spansCells = (index[0] != index[2]) || (index[1] != index[3]);
    return true;
#else
    const float loX = record.x - static_cast<float>(q), loY = record.y - static_cast<float>(q);
    const float hiX = record.x + static_cast<float>(q), hiY = record.y + static_cast<float>(q);
    int loColumn, loRow, hiColumn, hiRow;
    if (!gridIndex(loX, grid.cellWidth, grid.columns, loColumn) ||
        !gridIndex(loY, grid.cellHeight, grid.rows, loRow) ||
        !gridIndex(hiX, grid.cellWidth, grid.columns, hiColumn) ||
        !gridIndex(hiY, grid.cellHeight, grid.rows, hiRow)) {
        return false;
    }
    cell = loColumn + loRow * grid.columns;
    spansCells = (loColumn != hiColumn) || (loRow != hiRow);
    return true;
#endif
}

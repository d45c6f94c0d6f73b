#include "world/collision_grid.h"

#include "support/record_chain.h"

namespace {

constexpr int kCellCount = kGridCellCount;

}  // namespace

PairPath fastestPairPath() {
#if defined(__x86_64__) || (defined(__i386__) && defined(__SSE2__))
    static const PairPath fastest = [] {
        __builtin_cpu_init();
        const bool wide = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt");
        return wide ? PairPath::avx2 : PairPath::sse2;
    }();
    return fastest;
#else
    return PairPath::scalar;
#endif
}

bool pairPathAvailable(PairPath path) {
    switch (path) {
        case PairPath::scalar:
            return true;
        case PairPath::sse2:
            return fastestPairPath() != PairPath::scalar;
        case PairPath::avx2:
            return fastestPairPath() == PairPath::avx2;
    }
    return false;
}

const char* pairPathName(PairPath path) {
    switch (path) {
        case PairPath::scalar:
            return "scalar";
        case PairPath::sse2:
            return "sse2";
        case PairPath::avx2:
            return "avx2";
    }
    return "unknown";
}

void buildGrid(CollisionGrid& grid) {
    const int total = kGridEntryCount + 1;  // the head and 614 further entries, the last being tail
    grid.storage = std::make_unique<GridEntry[]>(total);
    GridEntry* entries = grid.storage.get();
    for (int i = 0; i < total; ++i) {
        entries[i].object = nullptr;
        entries[i].spansCells = false;
    }
    chainRecords(entries, total);
    grid.entryCount = kGridEntryCount;
    grid.cellWidth = 200;
    grid.cellHeight = 200;
    grid.columns = kGridColumns;
    grid.rows = kGridRows;
    grid.head = &entries[0];
    grid.tail = &entries[total - 1];
    // Zeroed once, so that a block read past the last entry reads plain numbers.
    grid.arrays = std::make_unique<PairArrays>();
    grid.pairPath = fastestPairPath();
    clearGrid(grid);
}

void clearGrid(CollisionGrid& grid) {
    GridEntry* e = grid.head->next;
    for (int i = 0; i < kCellCount; ++i, e = e->next) {
        e->object = nullptr;
        e->spansCells = false;
        grid.cells[i] = e;
    }
    grid.inserted = 0;
}

bool insertObject(CollisionGrid& grid, WorldObject& record) {
    int cell;
    bool spansCells;
    if (!gridCellOf(grid, record, cell, spansCells)) return false;
    // The entry just before tail is a permanent end marker; spares are taken from before it.
    GridEntry* spare = grid.tail->prev->prev;
    if (grid.inserted >= kGridMostEntries || spare == grid.head) return false;
    unlinkRecord(*spare);
    GridEntry*& first = grid.cells[cell];
    linkRecordBefore(*spare, *first);
    first = spare;
    spare->object = &record;
    spare->spansCells = spansCells;
    grid.inserted += 1;
    return true;
}

GridEntry* cellAt(CollisionGrid& grid, int column, int row) {
    if (column < 0 || column >= grid.columns || row < 0 || row >= grid.rows) return grid.tail->prev;
    return grid.cells[column + row * grid.columns];
}

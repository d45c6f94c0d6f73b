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
constexpr int kGridEntryCount = 614;

struct CollisionGrid {
    int32_t entryCount = kGridEntryCount;
    int32_t cellWidth = 200, cellHeight = 200;
    int32_t columns = kGridColumns, rows = kGridRows;
    int32_t inserted = 0;
    GridEntry* head = nullptr;
    GridEntry* tail = nullptr;
    GridEntry* outerCursor = nullptr;   // cursors of the pair pass
    GridEntry* innerCursor = nullptr;
    GridEntry* cells[kGridColumns * kGridRows] = {};
    std::unique_ptr<GridEntry[]> storage;
};

void buildGrid(CollisionGrid& grid);
void clearGrid(CollisionGrid& grid);
bool insertObject(CollisionGrid& grid, WorldObject& record);
// The cell's first entry, or an end marker for a cell outside the grid.
GridEntry* cellAt(CollisionGrid& grid, int column, int row);
// Cell index of a coordinate; false when it falls outside 0..cellsAcross-1.
bool gridIndex(float coordinate, int cellSize, int cellsAcross, int& index);

#include "app/menu_buttons.h"

#include "support/record_chain.h"

void buildMenuButtons(MenuButtonPool& pool, int capacity) { buildRecordPool(pool, capacity); }

bool addMenuButton(MenuButtonPool& pool, int id, float x, float y, int texture, int cellX, int cellY,
                   int width, int height) {
    if (pool.count >= pool.capacity) return false;
    MenuButton& b = *pool.firstFree;
    b.active = true;
    b.id = id;
    b.x = x;
    b.y = y;
    b.texture = texture;
    b.cellX = cellX;
    b.cellY = cellY;
    b.width = width;
    b.height = height;
    pool.count += 1;
    pool.firstFree = b.next;
    return true;
}

void resetMenuButtons(MenuButtonPool& pool) { freeAllRecords(pool); }

void beginIteration(MenuButtonPool& pool) { beginRecordPass(pool); }

bool atEnd(const MenuButtonPool& pool) { return recordPassEnded(pool); }

MenuButton* nextRecord(MenuButtonPool& pool) { return takePassRecord(pool); }

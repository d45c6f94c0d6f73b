#include "world/menu_buttons.h"

void buildMenuButtons(MenuButtonPool& pool, int capacity) {
    const int total = capacity + 3;  // head, capacity + 1 records, tail, as in an object pool
    pool.storage = std::make_unique<MenuButton[]>(total);
    MenuButton* records = pool.storage.get();
    for (int i = 0; i < total; ++i) {
        records[i].serial = (i == total - 1) ? 0 : i + 1;
        records[i].active = false;
        records[i].next = (i + 1 < total) ? &records[i + 1] : nullptr;
        records[i].prev = (i > 0) ? &records[i - 1] : nullptr;
    }
    pool.capacity = capacity;
    pool.head = &records[0];
    pool.tail = &records[total - 1];
    pool.firstFree = pool.head->next;
    pool.cursor = pool.head;
    pool.count = 0;
}

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

void resetMenuButtons(MenuButtonPool& pool) {
    for (MenuButton* b = pool.head; b != nullptr; b = b->next) b->active = false;
    pool.firstFree = pool.head->next;
    pool.count = 0;
}

void beginIteration(MenuButtonPool& pool) { pool.cursor = pool.head->next; }

bool atEnd(const MenuButtonPool& pool) { return !pool.cursor->active; }

MenuButton* nextRecord(MenuButtonPool& pool) {
    MenuButton* taken = pool.cursor;
    pool.cursor = taken->next;
    return taken;
}

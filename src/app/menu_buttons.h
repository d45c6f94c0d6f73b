#pragma once
// The ten button records of the title and menu screens, kept like an object pool:
// head, the active buttons in the order they were taken, the free records, tail.

#include <cstdint>
#include <memory>

struct MenuButton {
    int32_t serial = 0;
    int32_t id = 0;              // 1..7; 0 is never a button
    float x = 0, y = 0;          // centre on the screen
    int32_t texture = 0;
    int32_t cellX = 0, cellY = 0;
    int32_t width = 0, height = 0;
    bool active = false;
    MenuButton* next = nullptr;
    MenuButton* prev = nullptr;
};

constexpr int kMenuButtonCapacity = 10;

struct MenuButtonPool {
    int32_t capacity = 0;
    int32_t count = 0;
    MenuButton* head = nullptr;
    MenuButton* tail = nullptr;
    MenuButton* firstFree = nullptr;
    MenuButton* cursor = nullptr;
    std::unique_ptr<MenuButton[]> storage;
};

void buildMenuButtons(MenuButtonPool& pool, int capacity);
bool addMenuButton(MenuButtonPool& pool, int id, float x, float y, int texture, int cellX, int cellY,
                   int width, int height);
void resetMenuButtons(MenuButtonPool& pool);
void beginIteration(MenuButtonPool& pool);
bool atEnd(const MenuButtonPool& pool);
MenuButton* nextRecord(MenuButtonPool& pool);

#include "graphics/task_list.h"

#include "support/record_chain.h"

namespace {

void recycle(TaskList& list, DrawTask* record) {
    record->active = false;
    // Moved to the front of the free records, so the next add reuses it.
    if (record->next != list.firstFree) {
        unlinkRecord(*record);
        linkRecordBefore(*record, *list.firstFree);
    }
    list.count -= 1;
    list.firstFree = record;
}

}  // namespace

void constructTaskList(TaskList& list, DrawContext& context, int capacity) {
    if (capacity < 0) capacity = 0;
    const int total = capacity + 2;
    list.records = std::make_unique<DrawTask[]>(total);
    DrawTask* records = list.records.get();
    chainRecords(records, total);
    list.context = &context;
    list.capacity = capacity;
    list.count = 0;
    list.head = &records[0];
    list.firstFree = &records[1];
    list.lastAdded = nullptr;
    list.cursor = nullptr;
}

void destroyTaskList(TaskList& list) {
    list.records.reset();
    list.head = list.firstFree = list.lastAdded = list.cursor = nullptr;
    list.capacity = 0;
    list.count = 0;
}

bool addTask(TaskList& list, int order, DrawTaskCallback callback, int delay) {
    if (list.head == nullptr) return false;
    if (list.count >= list.capacity) {
        list.lastAdded = list.firstFree;  // the end record when full: payload writes land nowhere
        return false;
    }
    DrawTask* record = list.firstFree;
    list.lastAdded = record;
    list.firstFree = record->next;

    DrawTask* place = list.head->next;
    while (place->active && place->order >= order) place = place->next;
    if (place->active) {
        unlinkRecord(*record);
        linkRecordBefore(*record, *place);
    }

    record->callback = callback;
    record->order = order;
    record->age = 0;
    record->delay = delay;
    record->active = true;
    record->finished = false;
    list.count += 1;
    return true;
}

void runTasks(TaskList& list) {
    if (list.head == nullptr) return;
    list.cursor = list.head->next;
    while (list.cursor->active) {
        DrawTask* task = list.cursor;
        DrawTask* following = task->next;
        if (task->finished) {
            recycle(list, task);
        } else if (task->delay > 0) {
            task->delay -= 1;
        } else if (task->callback != nullptr) {
            task->callback(*list.context, *task);
            following = task->next;  // the callback may have added tasks after it
        }
        list.cursor = following;
    }
}

void clearTasks(TaskList& list) {
    if (list.head == nullptr) return;
    for (DrawTask* record = list.head->next; record != nullptr; record = record->next) {
        record->active = false;
        record->order = 0;
    }
    list.firstFree = list.head->next;
    list.count = 0;
}

#pragma once
// Deferred draw tasks: short-lived effects queue a task here and draw themselves once per run
// until they say they are finished. Records are allocated once, when the list is made.
#include <bit>
#include <cstdint>
#include <memory>

struct DrawContext;
struct DrawTask;

using DrawTaskCallback = void (*)(DrawContext&, DrawTask&);

constexpr int kTaskPayloadSlots = 19;

struct DrawTask {
    DrawTaskCallback callback = nullptr;   // draws the task once
    int32_t order = 0;                     // greater orders run first
    DrawTask* next = nullptr;
    DrawTask* prev = nullptr;
    bool active = false;
    bool finished = false;                 // set by the callback; the next run recycles the record
    int32_t age = 0;                       // 0 when added; the callback advances it
    int32_t delay = 0;                     // runs to skip before the first draw
    int32_t payload[kTaskPayloadSlots] = {};
};

// Chain: head, capacity usable records, then one end record that is never used.
// Active records form one run right after head, by order (greatest first), then by insertion.
struct TaskList {
    DrawContext* context = nullptr;        // handed to every callback
    int32_t capacity = 0;
    int32_t count = 0;
    DrawTask* head = nullptr;
    DrawTask* firstFree = nullptr;         // the first inactive record
    DrawTask* lastAdded = nullptr;         // the record the caller fills after addTask
    DrawTask* cursor = nullptr;            // the record being run
    std::unique_ptr<DrawTask[]> records;   // head, the usable records and the end record
};

void constructTaskList(TaskList& list, DrawContext& context, int capacity);
void destroyTaskList(TaskList& list);
// False, with lastAdded on a record that is not active, when the list is full.
bool addTask(TaskList& list, int order, DrawTaskCallback callback, int delay);
void runTasks(TaskList& list);
void clearTasks(TaskList& list);

// Payload slots hold 32-bit integers; floats are stored bit for bit.
inline float payloadFloat(const DrawTask& task, int slot) { return std::bit_cast<float>(task.payload[slot]); }
inline void setPayloadFloat(DrawTask& task, int slot, float value) {
    task.payload[slot] = std::bit_cast<int32_t>(value);
}

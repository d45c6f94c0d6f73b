#pragma once
// Records kept in one doubly linked chain inside a block that is built once: the object
// pools, the menu buttons, the collision grid's entries and the draw task lists. A pool's
// chain is head, the active records in the order they were taken, the free records (from
// firstFree), tail.
// Adds and removals only relink records; nothing is allocated.

#include <memory>
#include <type_traits>

// Links records[0..total-1] into one chain in storage order.
template <typename Record>
void chainRecords(Record* records, int total) {
    for (int i = 0; i < total; ++i) {
        records[i].next = (i + 1 < total) ? &records[i + 1] : nullptr;
        records[i].prev = (i > 0) ? &records[i - 1] : nullptr;
    }
}

template <typename Record>
void unlinkRecord(Record& record) {
    record.prev->next = record.next;
    record.next->prev = record.prev;
}

template <typename Record>
void linkRecordBefore(Record& record, Record& place) {
    record.prev = place.prev;
    record.next = &place;
    place.prev->next = &record;
    place.prev = &record;
}

// Builds head, capacity + 1 ordinary records and tail, all free. Records are numbered
// 1, 2, ... in storage order; the tail is number 0.
template <typename Pool>
void buildRecordPool(Pool& pool, int capacity) {
    using Record = std::remove_pointer_t<decltype(pool.head)>;
    const int total = capacity + 3;
    pool.storage = std::make_unique<Record[]>(total);
    Record* records = pool.storage.get();
    for (int i = 0; i < total; ++i) {
        records[i].serial = (i == total - 1) ? 0 : i + 1;
        records[i].active = false;
    }
    chainRecords(records, total);
    pool.capacity = capacity;
    pool.head = &records[0];
    pool.tail = &records[total - 1];
    pool.firstFree = pool.head->next;
    pool.cursor = pool.head;
    pool.count = 0;
}

// Every record free again, in the order the chain has now. The records are marked in storage
// order: the same records as along the chain, without waiting for each one to find the next.
template <typename Pool>
void freeAllRecords(Pool& pool) {
    auto* records = pool.storage.get();
    for (int i = 0; i < pool.capacity + 3; ++i) records[i].active = false;
    pool.firstFree = pool.head->next;
    pool.count = 0;
}

// A pass over the active records: begin, then take records until the end.
template <typename Pool>
void beginRecordPass(Pool& pool) {
    pool.cursor = pool.head->next;
}

template <typename Pool>
bool recordPassEnded(const Pool& pool) {
    return !pool.cursor->active;
}

template <typename Pool>
auto* takePassRecord(Pool& pool) {
    auto* taken = pool.cursor;
    pool.cursor = taken->next;
    return taken;
}

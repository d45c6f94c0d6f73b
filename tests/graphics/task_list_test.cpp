#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "graphics/draw_context.h"
#include "graphics/task_list.h"

namespace {

// Callbacks log which task drew; payload slot 0 names the task.
std::vector<int> gDrawn;

void logDraw(DrawContext&, DrawTask& task) {
    gDrawn.push_back(task.payload[0]);
    task.age += 1;
}

void drawOnceThenFinish(DrawContext& context, DrawTask& task) {
    logDraw(context, task);
    task.finished = true;
}

struct TaskListTest : ::testing::Test {
    // The callbacks here never draw; the list only hands the context through.
    std::unique_ptr<DrawContext> box = std::make_unique<DrawContext>();
    DrawContext& context = *box;
    TaskList list;

    void SetUp() override { gDrawn.clear(); }

    bool add(int name, int order, DrawTaskCallback callback = logDraw, int delay = 0) {
        const bool added = addTask(list, order, callback, delay);
        list.lastAdded->payload[0] = name;
        return added;
    }
};

TEST_F(TaskListTest, AFullListRefusesTheNextTaskAndKeepsItsCount) {
    constructTaskList(list, context, 256);
    for (int i = 0; i < 256; ++i) ASSERT_TRUE(add(i, i % 7));
    EXPECT_FALSE(add(999, 3));
    EXPECT_EQ(list.count, 256);
    EXPECT_FALSE(list.lastAdded->active);  // the refused payload landed in the unused end record
    runTasks(list);
    EXPECT_EQ(gDrawn.size(), 256u);
    for (int name : gDrawn) EXPECT_NE(name, 999);
}

TEST_F(TaskListTest, GreaterOrdersRunFirstAndEqualOrdersInTheOrderAdded) {
    constructTaskList(list, context, 16);
    add(1, 5);
    add(2, 7);
    add(3, 5);
    add(4, -1);
    add(5, 7);
    runTasks(list);
    EXPECT_EQ(gDrawn, (std::vector<int>{2, 5, 1, 3, 4}));
}

TEST_F(TaskListTest, ADelayedTaskFirstDrawsInTheRunAfterItsDelay) {
    constructTaskList(list, context, 16);
    add(1, 0, logDraw, 3);
    for (int run = 1; run <= 3; ++run) {
        runTasks(list);
        EXPECT_TRUE(gDrawn.empty()) << "run " << run;
    }
    runTasks(list);
    EXPECT_EQ(gDrawn, std::vector<int>{1});
    EXPECT_EQ(list.head->next->age, 1);
}

TEST_F(TaskListTest, AFinishedTaskDrawsOnceAndItsRecordIsReusedFirst) {
    constructTaskList(list, context, 4);
    add(1, 0);
    add(2, 0, drawOnceThenFinish);
    add(3, 0);
    DrawTask* finishing = list.head->next->next;

    runTasks(list);
    EXPECT_EQ(gDrawn, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(list.count, 3);  // still counted until the next run recycles it

    gDrawn.clear();
    runTasks(list);
    EXPECT_EQ(gDrawn, (std::vector<int>{1, 3}));
    EXPECT_EQ(list.count, 2);
    EXPECT_EQ(list.firstFree, finishing);

    add(4, 0);
    EXPECT_EQ(list.lastAdded, finishing);
    EXPECT_EQ(finishing->age, 0);
    gDrawn.clear();
    runTasks(list);
    EXPECT_EQ(gDrawn, (std::vector<int>{1, 3, 4}));
}

TEST_F(TaskListTest, RecyclingKeepsAFullListUsableRoundAfterRound) {
    constructTaskList(list, context, 8);
    for (int round = 0; round < 5; ++round) {
        for (int i = 0; i < 8; ++i) ASSERT_TRUE(add(round * 10 + i, i % 3, drawOnceThenFinish));
        EXPECT_FALSE(add(-1, 0));
        gDrawn.clear();
        runTasks(list);  // each draws and finishes
        EXPECT_EQ(gDrawn.size(), 8u);
        runTasks(list);  // and is recycled
        EXPECT_EQ(list.count, 0);
    }
    // The chain is still one line from head to the end record with every record on it.
    int records = 0;
    for (DrawTask* r = list.head->next; r != nullptr; r = r->next) {
        EXPECT_EQ(r->prev->next, r);
        ++records;
    }
    EXPECT_EQ(records, 9);
}

TEST_F(TaskListTest, ClearingRemovesEveryTaskIncludingUnfinishedOnes) {
    constructTaskList(list, context, 16);
    add(1, 3);
    add(2, 1, logDraw, 5);
    add(3, 2, drawOnceThenFinish);
    runTasks(list);
    clearTasks(list);
    EXPECT_EQ(list.count, 0);
    gDrawn.clear();
    runTasks(list);
    EXPECT_TRUE(gDrawn.empty());
    for (int i = 0; i < 16; ++i) ASSERT_TRUE(add(i, 0));
    EXPECT_FALSE(add(16, 0));
}

}  // namespace

// The whole-pool check the soak runs every frame: it passes a pool in any ordinary state and
// names each kind of damage.
#include "world/pool_check.h"

#include <cmath>

#include "world_test_support.h"

class PoolCheckTest : public WorldTest {
protected:
    WorldObject& addAt(int kind, float x) {
        EXPECT_TRUE(addObject(w.objects, kind, 100, x, 100, 0, 0, 0, 255, 255, 255, 255, 0, false));
        return *newestRecord(w.objects);
    }
};

TEST_F(PoolCheckTest, WholePoolsPassFromEmptyToFullAndAfterRemovals) {
    EXPECT_EQ(worldPoolFault(w), nullptr);
    for (int i = 0; i < kObjectCapacity; ++i) addAt(i % 2 == 0 ? aqua : life, static_cast<float>(i));
    EXPECT_EQ(worldPoolFault(w), nullptr);
    // Releasing every third record in list order leaves a pool with holes moved to the free part.
    int n = 0;
    for (beginIteration(w.objects); !atEnd(w.objects);) {
        nextRecord(w.objects);
        if (n++ % 3 == 0) removeCurrent(w.objects);
    }
    EXPECT_EQ(worldPoolFault(w), nullptr);
    w.grabbed = w.objects.head->next;
    EXPECT_EQ(worldPoolFault(w), nullptr);
}

TEST_F(PoolCheckTest, EachDamageIsNamed) {
    WorldObject& a = addAt(aqua, 10);
    WorldObject& b = addAt(leaf, 20);
    WorldObject& plant = addAt(sprout, 30);

    w.objects.count += 1;
    EXPECT_STREQ(poolFault(w.objects, true), "count differs from the active records");
    w.objects.count -= 1;

    w.objects.liveByKind[leaf] += 1;
    EXPECT_STREQ(poolFault(w.objects, true), "a per-kind count differs from the records of that kind");
    EXPECT_EQ(poolFault(w.objects, false), nullptr);
    w.objects.liveByKind[leaf] -= 1;

    WorldObject* const next = b.prev;
    b.prev = &b;
    EXPECT_STREQ(poolFault(w.objects, true), "broken link in the active part");
    b.prev = next;

    const float x = a.x;
    a.x = std::nanf("");
    EXPECT_STREQ(poolFault(w.objects, true), "position or velocity not finite");
    a.x = x;

    plant.kind = 13;
    EXPECT_STREQ(worldPoolFault(w), "an object of no known kind");
    plant.kind = sprout;

    // A grabbed object whose record went back to the free part is a dangling hold.
    w.grabbed = w.objects.firstFree;
    EXPECT_STREQ(worldPoolFault(w), "the grabbed object was released");
    w.grabbed = nullptr;
    EXPECT_EQ(worldPoolFault(w), nullptr);
}

// The staged opening and ending of a play.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/play_staging.h"
#include "app/renderer.h"
#include "world/effects.h"

namespace {

// A renderer whose task lists take the staged effects; its device is never opened.
class PlayStagingTest : public ::testing::Test {
protected:
    RandomWords words;
    std::unique_ptr<Renderer> box = std::make_unique<Renderer>();
    Renderer& renderer = *box;

    void SetUp() override { constructDrawContext(renderer.drawing, words); }
    void TearDown() override { destroyDrawContext(renderer.drawing); }

    // The active tasks of a list, in running order.
    static std::vector<DrawTask*> tasksOf(TaskList& list) {
        std::vector<DrawTask*> found;
        for (DrawTask* t = list.head->next; t && t->active; t = t->next) found.push_back(t);
        return found;
    }
};

TEST_F(PlayStagingTest, TheOpeningClearsOldTasksAndQueuesTheFadeAndTwoTitlePictures) {
    queueEffect(renderer.drawing.backTasks, 0, fadeOutDarken, 0, fadePayload(1, 2, 3, 4));
    queueEffect(renderer.drawing.frontTasks, 0, fadeOutDarken, 0, fadePayload(1, 2, 3, 4));
    renderer.drawing.zoom = 0.5f;
    renderer.drawing.zoomBlend = 0.0f;
    renderer.hudHidden = true;

    stagePlayOpening(renderer);
    EXPECT_EQ(renderer.drawing.backTasks.count, 0);
    auto tasks = tasksOf(renderer.drawing.frontTasks);
    ASSERT_EQ(tasks.size(), 3u);
    // Greater orders run first: the two pictures, then the fade over them.
    EXPECT_EQ(tasks[0]->callback, &glowingPicture);
    EXPECT_EQ(tasks[0]->order, 3000);
    EXPECT_EQ(tasks[1]->callback, &glowingPicture);
    EXPECT_EQ(tasks[2]->callback, &fadeOutDarken);
    const EffectPayload title = readPayload(*tasks[0]);
    EXPECT_FLOAT_EQ(title.x, 320.0f);
    EXPECT_EQ(title.texture, 5);
    EXPECT_EQ(title.cellY, 245);
    EXPECT_EQ(title.angle, 255);
    EXPECT_FLOAT_EQ(title.scaleX, 1.0f);
    const EffectPayload second = readPayload(*tasks[1]);
    EXPECT_FLOAT_EQ(second.x, 160.0f);
    EXPECT_FLOAT_EQ(second.y, 65.0f);
    EXPECT_EQ(second.cellX, 470);
    const EffectPayload fade = readPayload(*tasks[2]);
    EXPECT_EQ(fade.length, 8);
    EXPECT_EQ(fade.red, 255);
    EXPECT_FLOAT_EQ(fade.scaleX, 0.0f);

    EXPECT_FLOAT_EQ(renderer.drawing.zoom, 1.0f);
    EXPECT_FLOAT_EQ(renderer.drawing.zoomBlend, 1.0f);
    EXPECT_FALSE(renderer.hudHidden);
}

TEST_F(PlayStagingTest, TheEndingQueuesThePictureOverItsBandAFlashAndALateWhiteFade) {
    stagePlayEnding(renderer);
    auto tasks = tasksOf(renderer.drawing.frontTasks);
    ASSERT_EQ(tasks.size(), 4u);
    EXPECT_EQ(tasks[0]->callback, &glowingBand);
    EXPECT_EQ(tasks[0]->delay, 15);
    EXPECT_EQ(tasks[1]->callback, &glowingPicture);
    EXPECT_EQ(tasks[1]->delay, 15);
    EXPECT_EQ(tasks[2]->callback, &fadeOutAdditive);
    EXPECT_EQ(tasks[2]->delay, 0);
    EXPECT_EQ(tasks[3]->callback, &fadeInAdditive);
    EXPECT_EQ(tasks[3]->delay, 135);
    const EffectPayload band = readPayload(*tasks[0]);
    EXPECT_FLOAT_EQ(band.y, 170.0f);
    EXPECT_EQ(band.cellW, 640);
    EXPECT_EQ(band.cellH, 140);
    // The end picture's cell (370, 180) 420 x 64 holds part of the bitmap font at its left: only
    // the part from x 454 is drawn, moved right by 42 so that it lands where the whole cell did.
    const EffectPayload timeUp = readPayload(*tasks[1]);
    EXPECT_EQ(timeUp.cellX, 454);
    EXPECT_EQ(timeUp.cellY, 180);
    EXPECT_EQ(timeUp.cellW, 336);
    EXPECT_EQ(timeUp.cellH, 64);
    EXPECT_FLOAT_EQ(timeUp.x, 362.0f);
    EXPECT_FLOAT_EQ(timeUp.y, 240.0f);
    EXPECT_EQ(readPayload(*tasks[3]).length, 30);
}

}  // namespace

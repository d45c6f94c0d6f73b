#include "app/scenes.h"

#include "app/app.h"

namespace {

constexpr int kSteadyFps = 28;
constexpr uint32_t kLongestBoot = 150;

}  // namespace

void advanceSceneFrame(App& app) {
    app.sceneFrame += 1;
    if (app.sceneFrame == 0) app.sceneFrame = 1;
}

void switchScene(App& app, Scene scene) {
    app.scene = scene;
    app.sceneFrame = 0;
}

void sceneBoot(App& app) {
    advanceSceneFrame(app);
    drawLoadingScreen(app.renderer, app.sceneFrame);
    // Without a title scene the loading picture stays.
    if (app.titleScene == nullptr) return;
    if (app.fps >= kSteadyFps || app.sceneFrame > kLongestBoot) switchScene(app, app.titleScene);
}

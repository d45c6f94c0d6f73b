#pragma once
// A world in play with a mouse and keyboard the test sets by hand, and a renderer whose task
// lists take the effects (its device is not opened: nothing is drawn).

#include <memory>

#include "app/renderer.h"
#include "input/input_device.h"
#include "platform/keys.h"
#include "test_support/recording_renderer.h"
#include "world/effects.h"
#include "world/player.h"
#include "world_test_support.h"

class PlayTest : public WorldTest {
protected:
    InputDevice input;
    std::unique_ptr<Renderer> rendererBox = std::make_unique<Renderer>();
    Renderer& renderer = *rendererBox;

    void SetUp() override {
        WorldTest::SetUp();
        constructInputDevice(input);
        testsupport::constructTaskLists(renderer);
        renderer.device.drawEnabled = false;
        w.input = &input;
        w.renderer = &renderer;
        w.timeLeftMs = 180000;
    }

    void TearDown() override {
        testsupport::destroyTaskLists(renderer);
        WorldTest::TearDown();
    }

    void buttons(bool left, bool right) {
        input.mouseState.buttons[0] = left ? 0x80 : 0;
        input.mouseState.buttons[1] = right ? 0x80 : 0;
    }

    // Puts the mouse at a screen point and maps it, at zoom 1 unless told otherwise.
    void moveMouse(int x, int y, float zoom = 1.0f, float zoomBlend = 1.0f) {
        input.cursorX = x;
        input.cursorY = y;
        updateCursor(w, zoom, zoomBlend);
    }

    // Puts the world cursor at a field point with the view at the origin and no stroke gathered.
    void placeCursor(int x, int y) {
        w.viewX = 0;
        w.viewY = 0;
        const bool left = mouseButtonDown(input, 0), right = mouseButtonDown(input, 1);
        buttons(false, false);
        moveMouse(x, y);
        moveMouse(x, y);
        buttons(left, right);
    }

    void pressKey(int key) {
        input.keyState[key] = 0x80;
        input.keyEdge[key] = kKeyPressedUnread;
    }

    // The active tasks of a list, in running order.
    static std::vector<DrawTask*> tasksOf(TaskList& list) {
        std::vector<DrawTask*> found;
        for (DrawTask* t = list.head->next; t && t->active; t = t->next) found.push_back(t);
        return found;
    }
};

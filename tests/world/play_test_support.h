#pragma once
// A world in play with a mouse and keyboard the test sets by hand, and a drawing context whose
// task lists take the effects (its device is not opened: nothing is drawn).

#include <memory>

#include "graphics/draw_context.h"
#include "input/input_device.h"
#include "platform/keys.h"
#include "world/effects.h"
#include "world/player.h"
#include "world_test_support.h"

class PlayTest : public WorldTest {
protected:
    InputDevice input;
    std::unique_ptr<DrawContext> drawingBox = std::make_unique<DrawContext>();
    DrawContext& drawing = *drawingBox;

    void SetUp() override {
        WorldTest::SetUp();
        constructInputDevice(input);
        constructDrawContext(drawing, words);
        drawing.device.drawEnabled = false;
        w.input = &input;
        w.timeLeftMs = 180000;
    }

    void TearDown() override {
        destroyDrawContext(drawing);
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

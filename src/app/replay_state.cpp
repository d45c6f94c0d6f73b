#include "app/replay_state.h"

#include <algorithm>

#include "app/app.h"
#include "world/player.h"

namespace {

constexpr uint8_t kDown = 0x80;

// The record with that serial: storage order, the tail last with serial 0.
WorldObject* recordBySerial(ObjectPool& pool, int32_t serial) {
    return serial == 0 ? pool.tail : &pool.storage[serial - 1];
}

void capturePool(const ObjectPool& pool, PoolStart& p) {
    p.records = 0;
    for (const WorldObject* r = pool.head->next; r != pool.tail && p.records < kMaxPoolSerial; r = r->next) {
        p.order[p.records++] = r->serial;
        p.leftover[r->serial] = RecordLeftover{r->cellY, r->cellX, r->cellW, r->cellH, r->clover};
    }
    p.cursor = pool.cursor->serial;
}

// The chain in the start's order, every record free with only its leftover fields, the walk
// where it stopped. A play's reset then frees the records in that order.
void applyPool(ObjectPool& pool, const PoolStart& p) {
    // A start read from a file names every record of the pool once; anything else would break the chain.
    if (p.records != pool.capacity + 1) return;
    WorldObject* previous = pool.head;
    for (int32_t i = 0; i < p.records; ++i) {
        WorldObject* r = recordBySerial(pool, p.order[i]);
        const int32_t serial = r->serial;
        *r = WorldObject{};
        r->serial = serial;
        const RecordLeftover& left = p.leftover[serial];
        r->cellY = left.cellY;
        r->cellX = left.cellX;
        r->cellW = left.cellW;
        r->cellH = left.cellH;
        r->clover = left.clover;
        r->prev = previous;
        previous->next = r;
        previous = r;
    }
    previous->next = pool.tail;
    pool.tail->prev = previous;
    pool.cursor = recordBySerial(pool, p.cursor);
    resetPool(pool, true);
}

// Copies each value the carry keeps, from the App into the carry or back.
void copyCarry(App& app, InputCarry& c, bool intoCarry) {
    auto copy = [intoCarry](auto& kept, auto& carried) {
        if (intoCarry) {
            carried = kept;
        } else {
            kept = carried;
        }
    };
    World& w = app.world;
    InputDevice& in = app.input;
    copy(w.mouseX, c.mouseX);
    copy(w.mouseY, c.mouseY);
    copy(w.cursorX, c.cursorX);
    copy(w.cursorY, c.cursorY);
    copy(w.prevCursorX, c.previousX);
    copy(w.prevCursorY, c.previousY);
    copy(w.stroke, c.stroke);
    for (int k = 0; k < kPlayKeyCount; ++k) {
        const int code = kPlayKeys[k].code;
        copy(in.keyEdge[code], c.keys[k].edge);
        copy(in.keyHeldFrames[code], c.keys[k].heldFrames);
    }
    copy(in.clickLatch[0], c.latch[0]);
    copy(in.clickLatch[1], c.latch[1]);
}

}  // namespace

InputCarry carryOf(App& app) {
    InputCarry c;
    copyCarry(app, c, true);
    return c;
}

void applyCarry(App& app, const InputCarry& carry) {
    InputCarry c = carry;
    copyCarry(app, c, false);
}

void capturePlayStart(const App& app, const InputCarry& input, PlayStart& s) {
    const World& w = app.world;
    s.mode = app.playMode;
    s.words = app.randomWords;
    s.worldRandom = w.math.randomState;
    s.effectsRandom = app.renderer.drawing.effectsRandom.randomState;
    s.timeLeftMs = w.timeLeftMs;
    s.hintStage = w.hintStage;
    s.hintStageStart = w.hintStageStart;
    s.viewX = w.viewX;
    s.viewY = w.viewY;
    s.zoom = app.renderer.drawing.zoom;
    s.zoomBlend = app.renderer.drawing.zoomBlend;
    s.hudSlide = app.renderer.hudSlide;
    s.trailSlot = w.trail.nextSlot;
    s.input = input;
    capturePool(w.objects, s.objects);
    capturePool(w.seeds, s.seeds);
}

void beginPlayFrom(App& app, const PlayStart& s) {
    startPlay(app, s.mode);
    World& w = app.world;
    app.randomWords = s.words;
    w.math.randomState = s.worldRandom;
    app.renderer.drawing.effectsRandom.randomState = s.effectsRandom;
    w.timeLeftMs = s.timeLeftMs;
    w.hintStage = s.hintStage;
    w.hintStageStart = s.hintStageStart;
    w.viewX = s.viewX;
    w.viewY = s.viewY;
    app.renderer.drawing.zoom = s.zoom;
    app.renderer.drawing.zoomBlend = s.zoomBlend;
    app.renderer.hudSlide = s.hudSlide;
    w.trail.nextSlot = s.trailSlot;
    applyCarry(app, s.input);
    applyPool(w.objects, s.objects);
    applyPool(w.seeds, s.seeds);
}

FrameInput frameInputOf(const App& app) {
    const InputDevice& in = app.input;
    FrameInput f;
    f.x = std::clamp(in.cursorX, 0, 640);
    f.y = std::clamp(in.cursorY, 0, 480);
    f.left = mouseButtonDown(in, 0);
    f.right = mouseButtonDown(in, 1);
    for (const PlayKey& key : kPlayKeys) {
        if (keyDown(in, key.code)) f.keys |= key.bit;
    }
    return f;
}

void readReplayedInput(App& app, const FrameInput& f) {
    InputDevice& in = app.input;
    for (const PlayKey& key : kPlayKeys) takeKeyReading(in, key.code, (f.keys & key.bit) != 0);
    platform::MouseReading mouse;
    mouse.buttons[0] = f.left ? kDown : 0;
    mouse.buttons[1] = f.right ? kDown : 0;
    takeMouseReading(in, &mouse);
    in.cursorX = f.x;
    in.cursorY = f.y;
    updateCursor(app.world, app.renderer.drawing.zoom, app.renderer.drawing.zoomBlend);
}

bool readNextReplayedFrame(App& app, const Replay& replay, ReplayPosition& at) {
    if (!replayFramesLeft(replay, at)) return false;
    const ReplayStep& step = replay.steps[at.step];
    if (at.stepFrames == 0 && step.carry >= 0) applyCarry(app, replay.carries[static_cast<size_t>(step.carry)]);
    readReplayedInput(app, step.input);
    if (++at.stepFrames >= step.frames) {
        at.step += 1;
        at.stepFrames = 0;
    }
    return true;
}

bool replayFramesLeft(const Replay& replay, const ReplayPosition& at) { return at.step < replay.steps.size(); }

bool readInputBesideReplay(App& app) {
    InputDevice& in = app.input;
    uint8_t state[kPlayKeyCount], edge[kPlayKeyCount];
    int32_t held[kPlayKeyCount];
    for (int k = 0; k < kPlayKeyCount; ++k) {
        const int code = kPlayKeys[k].code;
        state[k] = in.keyState[code];
        edge[k] = in.keyEdge[code];
        held[k] = in.keyHeldFrames[code];
    }
    const bool read = pollKeyboard(in);
    for (int k = 0; k < kPlayKeyCount; ++k) {
        const int code = kPlayKeys[k].code;
        in.keyState[code] = state[k];
        in.keyEdge[code] = edge[k];
        in.keyHeldFrames[code] = held[k];
    }
    if (!read) return false;
    // A scene other than the play (the title after 1) sees the player's own mouse.
    pollMouse(in);
    updateCursorPosition(in);
    return true;
}

PlayResult resultOf(const World& w, int64_t frames) {
    PlayResult r;
    r.frames = frames;
    r.score = w.score;
    r.scoreCarry = w.scoreCarry;
    r.timeLeftMs = w.timeLeftMs;
    r.objects = w.objects.count;
    for (const WorldObject* o = w.objects.head->next; o->active; o = o->next) {
        if (o->kind >= 0 && o->kind < kKindSlots) r.byKind[o->kind] += 1;
    }
    r.seeds = w.seeds.count;
    r.dreamsCollected = w.dreamsCollected;
    r.digest = worldDigest(w);
    return r;
}

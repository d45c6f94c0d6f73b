// mossbloom-sim: whole plays without a window or a sound device. Each frame is the game's own play
// frame (readFrameInput and playFrame, as the play scene runs them) on an App whose device draws
// nothing (the HUD clock still takes its flicker from the effects generator, which shares its
// words with the world's). Same arguments, same output.

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "app/app.h"
#include "app/play_frame.h"
#include "platform/headless/headless.h"
#include "platform/keys.h"
#include "world/pool_check.h"
#include "world/world.h"

namespace {

constexpr int kExitUsage = 2;
constexpr int64_t kMaxFrames = 1000000000;
constexpr int kMaxLineFrames = 1000000;
constexpr int kMaxCoordinate = 100000;

// ---- Input of one frame -------------------------------------------------------------------

enum KeyBit : uint32_t { kSpace = 1, kZoomOut = 2, kZoomIn = 4, kShift = 8, kHud = 16, kCreated = 32 };

struct KeyName {
    const char* name;
    KeyBit bit;
    int code;
};
constexpr KeyName kKeys[] = {
    {"space", kSpace, platform::DIK_SPACE}, {"z", kZoomOut, platform::DIK_Z}, {"a", kZoomIn, platform::DIK_A},
    {"lshift", kShift, platform::DIK_LSHIFT}, {"x", kHud, platform::DIK_X}, {"c", kCreated, platform::DIK_C},
};

struct FrameInput {
    int x = 320, y = 240;
    bool left = false, right = false;
    uint32_t keys = 0;
};

// ---- Arguments ----------------------------------------------------------------------------

enum class Mode { normal, clover, endless };

struct Options {
    uint32_t seed = 1;
    int64_t frames = 1800;
    Mode mode = Mode::normal;
    std::string scriptPath;
    bool randomPlayer = false;
    bool checkPools = false;    // both pools checked whole after every frame
};

int usageError(const std::string& why) {
    std::fprintf(stderr, "mossbloom-sim: %s\n", why.c_str());
    std::fprintf(stderr,
                 "usage: mossbloom-sim [--seed N] [--frames N] [--mode normal|clover|endless] "
                 "(--script FILE | --random-player) [--check-pools]\n");
    return kExitUsage;
}

template <typename T>
bool parseWhole(std::string_view text, T& value, T lo, T hi) {
    T parsed{};
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, parsed);
    if (ec != std::errc() || ptr != end || parsed < lo || parsed > hi) return false;
    value = parsed;
    return true;
}

// Returns 0 when the arguments are good, else the exit code after the message.
int parseArguments(int argc, char** argv, Options& o) {
    bool sawScript = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--random-player") {
            o.randomPlayer = true;
            continue;
        }
        if (arg == "--check-pools") {
            o.checkPools = true;
            continue;
        }
        if (arg != "--seed" && arg != "--frames" && arg != "--mode" && arg != "--script") {
            return usageError("unknown argument '" + arg + "'");
        }
        if (i + 1 >= argc) return usageError(arg + " needs a value");
        const std::string value = argv[++i];
        if (arg == "--seed") {
            if (!parseWhole<uint32_t>(value, o.seed, 0u, UINT32_MAX)) {
                return usageError("--seed needs a whole number from 0 to 4294967295, got '" + value + "'");
            }
        } else if (arg == "--frames") {
            if (!parseWhole<int64_t>(value, o.frames, 0, kMaxFrames)) {
                return usageError("--frames needs a whole number from 0 to 1000000000, got '" + value + "'");
            }
        } else if (arg == "--mode") {
            if (value == "normal") o.mode = Mode::normal;
            else if (value == "clover") o.mode = Mode::clover;
            else if (value == "endless") o.mode = Mode::endless;
            else return usageError("--mode must be normal, clover or endless, got '" + value + "'");
        } else {
            o.scriptPath = value;
            sawScript = true;
        }
    }
    if (sawScript == o.randomPlayer) return usageError("give exactly one of --script FILE and --random-player");
    return 0;
}

// ---- Script -------------------------------------------------------------------------------

struct ScriptLine {
    int frames;
    FrameInput input;
};

bool parseButtons(std::string_view token, FrameInput& in) {
    if (token == "-") return true;
    if (token.empty() || token.size() > 2) return false;
    for (char c : token) {
        if (c == 'L' || c == 'l') {
            if (in.left) return false;
            in.left = true;
        } else if (c == 'R' || c == 'r') {
            if (in.right) return false;
            in.right = true;
        } else {
            return false;
        }
    }
    return true;
}

// Reads the whole script before anything runs; a bad line ends the program with its number.
int readScript(const std::string& path, std::vector<ScriptLine>& lines) {
    std::ifstream file(path);
    if (!file) return usageError("cannot open the script '" + path + "'");
    std::string text;
    int number = 0;
    auto bad = [&](const std::string& why) {
        std::fprintf(stderr, "mossbloom-sim: %s:%d: %s\n", path.c_str(), number, why.c_str());
        return kExitUsage;
    };
    while (std::getline(file, text)) {
        ++number;
        const size_t hash = text.find('#');
        if (hash != std::string::npos) text.resize(hash);
        std::istringstream fields(text);
        std::vector<std::string> tokens;
        for (std::string t; fields >> t;) tokens.push_back(t);
        if (tokens.empty()) continue;
        if (tokens.size() < 4) {
            return bad("expected '<frames> <x> <y> <buttons> [keys...]', got " + std::to_string(tokens.size()) +
                       " field(s)");
        }
        ScriptLine line{};
        if (!parseWhole<int>(tokens[0], line.frames, 1, kMaxLineFrames)) {
            return bad("the frame count must be a whole number from 1 to 1000000, got '" + tokens[0] + "'");
        }
        if (!parseWhole<int>(tokens[1], line.input.x, -kMaxCoordinate, kMaxCoordinate) ||
            !parseWhole<int>(tokens[2], line.input.y, -kMaxCoordinate, kMaxCoordinate)) {
            return bad("the mouse position must be two whole numbers from -100000 to 100000, got '" + tokens[1] +
                       " " + tokens[2] + "'");
        }
        if (!parseButtons(tokens[3], line.input)) {
            return bad("the buttons must be '-', 'L', 'R' or 'LR', got '" + tokens[3] + "'");
        }
        for (size_t k = 4; k < tokens.size(); ++k) {
            bool known = false;
            for (const KeyName& key : kKeys) {
                if (tokens[k] == key.name) {
                    line.input.keys |= key.bit;
                    known = true;
                }
            }
            if (!known) return bad("unknown key '" + tokens[k] + "' (keys: space z a lshift x c)");
        }
        lines.push_back(line);
    }
    if (file.bad()) return usageError("cannot read the script '" + path + "'");
    return 0;
}

// Plays the script's lines in turn; after the last one the mouse rests where it was.
struct ScriptPlayer {
    const std::vector<ScriptLine>* lines = nullptr;
    size_t index = 0;
    int framesLeft = 0;
    FrameInput resting;

    FrameInput next() {
        while (index < lines->size() && framesLeft == 0) {
            framesLeft = (*lines)[index].frames;
            ++index;
        }
        if (framesLeft > 0) {
            --framesLeft;
            const FrameInput& in = (*lines)[index - 1].input;
            resting = FrameInput{in.x, in.y, false, false, 0};
            return in;
        }
        return resting;
    }
};

// ---- Random player ------------------------------------------------------------------------

// Its own generator, so that the player never disturbs the game's.
struct PlayerRandom {
    uint64_t state;
    uint32_t next() {
        state += 0x9E3779B97F4A7C15ull;
        uint64_t z = state;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return static_cast<uint32_t>((z ^ (z >> 31)) >> 32);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<uint32_t>(n)); }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
};

enum class Gesture { wander, spray, storm, click, longPress, charge, drag, rest };

// Where the player would put the mouse to point at a field position under the present view.
struct Aim {
    const World* world = nullptr;
    const DrawContext* drawing = nullptr;
};

// Strokes, clicks, charges and drags from one point to another, with the odd key press. Charges
// and clicks mostly aim at an object on the field, as a player would.
struct RandomPlayer {
    PlayerRandom rng;
    Aim aim;
    Gesture gesture = Gesture::rest;
    int x0 = 320, y0 = 240, x1 = 320, y1 = 240;
    int length = 1, age = 0;
    bool left = false, right = false;
    uint32_t heldKeys = 0;     // for the whole gesture
    uint32_t tapKeys = 0;      // on its first frame only
    int releaseFrames = 0;     // frames with the buttons up after a click or press

    // The screen point of a random object, by the cursor mapping turned round; false when none.
    bool aimAtObject(int& x, int& y) {
        const World& w = *aim.world;
        if (w.objects.count == 0) return false;
        int pick = rng.below(w.objects.count);
        const WorldObject* o = w.objects.head->next;
        while (pick-- > 0) o = o->next;
        const float zoom = aim.drawing->zoom;
        const float weight = zoom < 1.0f ? 3.0f - 2.0f * zoom : 1.0f / zoom;
        const float viewWeight = zoom > 1.0f ? 0.5f * zoom + 0.5f : aim.drawing->zoomBlend;
        x = static_cast<int>((o->x - w.viewX * viewWeight) / weight);
        y = static_cast<int>((o->y - w.viewY * viewWeight) / weight);
        return true;
    }

    void start() {
        x0 = x1;
        y0 = y1;
        x1 = rng.between(-20, 660);
        y1 = rng.between(-20, 500);
        const bool aimed = rng.below(4) != 0;
        age = 0;
        releaseFrames = 0;
        left = right = false;
        const int roll = rng.below(100);
        if (roll < 15) {
            gesture = Gesture::wander;
            length = rng.between(5, 60);
        } else if (roll < 45) {
            gesture = Gesture::spray;
            left = true;
            length = rng.between(8, 40);
        } else if (roll < 60) {
            gesture = Gesture::click;
            (rng.below(2) ? left : right) = true;
            if (!(aimed && aimAtObject(x0, y0))) {
                x0 = x1;
                y0 = y1;
            }
            x1 = x0;
            y1 = y0;
            length = rng.between(1, 5);
            releaseFrames = rng.between(1, 8);
        } else if (roll < 67) {
            gesture = Gesture::longPress;
            (rng.below(2) ? left : right) = true;
            x1 = x0;
            y1 = y0;
            length = rng.between(6, 30);
            releaseFrames = 1;
        } else if (roll < 82) {
            gesture = Gesture::charge;
            right = true;
            length = rng.between(10, 200);
            if (aimed && aimAtObject(x0, y0)) {
                x1 = x0;
                y1 = y0;
            }
        } else if (roll < 87) {
            gesture = Gesture::drag;
            left = true;
            length = rng.between(10, 60);
        } else if (roll < 96) {
            // A long scribble with the left button: water as fast as the stroke allows.
            gesture = Gesture::storm;
            left = true;
            length = rng.between(100, 600);
        } else {
            gesture = Gesture::rest;
            x1 = x0;
            y1 = y0;
            length = rng.between(1, 40);
        }
        heldKeys = 0;
        tapKeys = 0;
        const int keyRoll = rng.below(100);
        if (keyRoll < 2) tapKeys = kSpace;
        else if (keyRoll < 8) heldKeys = kZoomOut;
        else if (keyRoll < 12) heldKeys = kZoomIn;
        else if (keyRoll < 14) heldKeys = kShift | kZoomOut;
        else if (keyRoll < 16) tapKeys = kHud;
        else if (keyRoll < 19) heldKeys = kCreated;
    }

    FrameInput next() {
        if (age >= length + releaseFrames) start();
        FrameInput in;
        if (gesture == Gesture::storm) {
            x1 = std::clamp(x1 + rng.between(-60, 60), 0, 640);
            y1 = std::clamp(y1 + rng.between(-60, 60), 0, 480);
            x0 = x1;
            y0 = y1;
        }
        const int step = age < length ? age + 1 : length;
        in.x = x0 + (x1 - x0) * step / length;
        in.y = y0 + (y1 - y0) * step / length;
        const bool pressed = age < length;
        in.left = pressed && left;
        in.right = pressed && right;
        in.keys = heldKeys | (age == 0 ? tapKeys : 0u);
        ++age;
        return in;
    }
};

// ---- The play -----------------------------------------------------------------------------

struct Simulation {
    std::unique_ptr<App> appBox = std::make_unique<App>();
    App& app = *appBox;
    PlayMode mode = PlayMode::normal;
    int64_t framesRun = 0;
    int plays = 0;
};

PlayMode playModeOf(Mode mode) {
    switch (mode) {
        case Mode::clover: return PlayMode::clover;
        case Mode::endless: return PlayMode::endless;
        case Mode::normal: break;
    }
    return PlayMode::normal;
}

void setUp(Simulation& s, const Options& o) {
    constructAppWithoutDevices(s.app, o.seed);
    s.mode = playModeOf(o.mode);
    startPlay(s.app, s.mode);
}

void feedInput(const FrameInput& in) {
    namespace hl = platform::headless;
    hl::setCursor(in.x, in.y);
    hl::setMouseButton(0, in.left);
    hl::setMouseButton(1, in.right);
    for (const KeyName& key : kKeys) hl::setKeyDown(key.code, (in.keys & key.bit) != 0);
}

// One play frame of the game. Where the game returns to the title, the simulator starts the next
// play of the same mode at once.
void runFrame(Simulation& s, const FrameInput& in) {
    feedInput(in);
    readFrameInput(s.app);
    if (s.app.sceneFrame == 0) s.plays += 1;
    if (playFrame(s.app)) startPlay(s.app, s.mode);
    s.framesRun += 1;
}

const char* kindName(int kind) {
    switch (kind) {
        case aqua: return "aqua";
        case leaf: return "leaf";
        case flare: return "flare";
        case soil: return "soil";
        case metal: return "metal";
        case life: return "life";
        case dream: return "dream";
        case aquaFlower: return "aquaFlower";
        case leafFlower: return "leafFlower";
        case flareFlower: return "flareFlower";
        case soilFlower: return "soilFlower";
        case metalFlower: return "metalFlower";
        case sprout: return "sprout";
        case bud: return "bud";
        default: return nullptr;
    }
}

void report(const Simulation& s) {
    const World& w = s.app.world;
    std::printf("frames: %lld\n", static_cast<long long>(s.framesRun));
    std::printf("plays: %d\n", s.plays);
    std::printf("score: %d\n", w.score);
    std::printf("score carry: %d\n", w.scoreCarry);
    std::printf("time left: %d\n", w.timeLeftMs);
    std::printf("objects: %d\n", w.objects.count);
    int perKind[16] = {};
    for (const WorldObject* o = w.objects.head->next; o->active; o = o->next) {
        if (o->kind >= 0 && o->kind < 16) perKind[o->kind] += 1;
    }
    for (int kind = 0; kind < 16; ++kind) {
        if (const char* name = kindName(kind)) std::printf("%s: %d\n", name, perKind[kind]);
    }
    std::printf("seeds: %d\n", w.seeds.count);
    std::printf("dreams collected: %d\n", w.dreamsCollected);
    std::printf("digest: %016llx\n", static_cast<unsigned long long>(worldDigest(w)));
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--help") {
            std::printf("usage: mossbloom-sim [--seed N] [--frames N] [--mode normal|clover|endless] "
                        "(--script FILE | --random-player) [--check-pools]\n");
            return 0;
        }
    }
    Options options;
    if (const int code = parseArguments(argc, argv, options)) return code;

    std::vector<ScriptLine> script;
    if (!options.randomPlayer) {
        if (const int code = readScript(options.scriptPath, script)) return code;
    }

    auto sim = std::make_unique<Simulation>();
    setUp(*sim, options);
    ScriptPlayer scripted;
    scripted.lines = &script;
    RandomPlayer random{PlayerRandom{options.seed ^ 0x5EEDC0FFEEull}, Aim{&sim->app.world, &sim->app.renderer.drawing}};
    for (int64_t f = 0; f < options.frames; ++f) {
        runFrame(*sim, options.randomPlayer ? random.next() : scripted.next());
        const char* fault = options.checkPools ? worldPoolFault(sim->app.world) : nullptr;
        if (fault != nullptr) {
            std::fprintf(stderr, "mossbloom-sim: frame %lld: %s\n", static_cast<long long>(f + 1), fault);
            return 1;
        }
    }
    report(*sim);
    return 0;
}

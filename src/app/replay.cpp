#include "app/replay.h"

#include <cstdio>
#include <filesystem>
#include <string_view>

#include "app/app.h"
#include "app/play_frame.h"
#include "app/replay_state.h"
#include "platform/clock.h"

namespace {

constexpr int kExitBadOption = 2;
constexpr const char* kUsage = "usage: mossbloom [--record FOLDER] [--replay FILE]\n";

int badOption(const std::string& why) {
    std::fprintf(stderr, "mossbloom: %s\n%s", why.c_str(), kUsage);
    return kExitBadOption;
}

int readShownReplay(const char* path, Replay& shown) {
    ReplayError error;
    if (readReplayFile(path, shown, error)) return -1;
    if (error.line == 0) return badOption(error.why);
    std::fprintf(stderr, "mossbloom: %s:%d: %s\n", path, error.line, error.why.c_str());
    return kExitBadOption;
}

// The scene after the loading picture when a replay is shown: its play starts as recorded.
void sceneShowReplay(App& app) {
    app.titleScene = sceneTitle;
    beginPlayFrom(app, app.replay.shown.start);
    scenePlay(app);
}

void recordPlayFrame(App& app) {
    ReplaySession& s = app.replay;
    if (app.sceneFrame == 0) {
        capturePlayStart(app, s.carry, s.recorder.start);
        startRecording(s.recorder, s.recorder.start, platform::ticksMs(), platform::calendarSeconds());
    } else if (s.readWithoutPlay) {
        recordResume(s.recorder, s.carry);
    }
    recordFrame(s.recorder, frameInputOf(app), platform::ticksMs());
}

void endPlay(App& app) {
    ReplaySession& s = app.replay;
    const PlayResult result = resultOf(app.world, s.playFrames);
    std::printf("play ended: mode %s score %d digest %016llx\n", playModeName(app.playMode), result.score,
                static_cast<unsigned long long>(result.digest));
    std::fflush(stdout);
    finishRecording(s.recorder, result);
    s.showing = false;
    s.playRunning = false;
    s.readWithoutPlay = false;
    s.playFrames = 0;
}

}  // namespace

int readGameOptions(int argc, char** argv, GameOptions& options, Replay& shown) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg != "--record" && arg != "--replay") return badOption("unknown argument '" + std::string(arg) + "'");
        if (i + 1 >= argc) return badOption(std::string(arg) + " needs a value");
        const char* value = argv[++i];
        if (arg == "--record") {
            std::error_code failed;
            const std::filesystem::path folder = std::filesystem::absolute(value, failed);
            options.recordFolder = failed ? std::string(value) : folder.string();
        } else {
            if (const int code = readShownReplay(value, shown); code >= 0) return code;
            options.showReplay = true;
        }
    }
    return -1;
}

void applyGameOptions(App& app, const GameOptions& options, Replay& shown) {
    ReplaySession& s = app.replay;
    if (!options.recordFolder.empty()) openRecorder(s.recorder, options.recordFolder.c_str());
    if (options.showReplay) {
        s.shown = std::move(shown);
        s.showing = true;
        s.shownAt = ReplayPosition{};
        app.titleScene = sceneShowReplay;
    }
}

bool readInputForFrame(App& app) { return app.replay.showing ? readInputBesideReplay(app) : readFrameInput(app); }

bool playSceneFrame(App& app) {
    ReplaySession& s = app.replay;
    if (app.sceneFrame == 0) s.playFrames = 0;
    if (s.showing) {
        if (!readNextReplayedFrame(app, s.shown, s.shownAt)) return true;
    } else if (s.recorder.enabled) {
        recordPlayFrame(app);
    }
    s.playFrameRan = true;
    s.readWithoutPlay = false;
    s.playFrames += 1;
    const bool ended = playFrame(app);
    return ended || (s.showing && !replayFramesLeft(s.shown, s.shownAt));
}

void endInputFrame(App& app) {
    ReplaySession& s = app.replay;
    if (s.playFrameRan) {
        s.playRunning = true;
    } else if (s.playRunning) {
        s.readWithoutPlay = true;
    }
    s.playFrameRan = false;
    if (s.playRunning && (app.scene != scenePlay || app.quitRequested)) endPlay(app);
    if (s.recorder.enabled) s.carry = carryOf(app);
}

void endPlayAtExit(App& app) {
    if (app.replay.playRunning) endPlay(app);
}

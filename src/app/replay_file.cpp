#include "app/replay_file.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <fstream>

#include "app/hud.h"
#include "world/play_clock.h"
#include "world/player.h"
#include "world/trail_ring.h"

namespace {

constexpr int32_t kMaxCursor = 10000;        // the mapped cursor stays within 2240 units
constexpr int32_t kMaxHeldFrames = 1000000000;
constexpr int32_t kMaxHintStart = 1000000000;
constexpr int32_t kMaxLeftoverCell = 8192;

constexpr const char* kEdgeNames[3] = {"up", "unread", "read"};

// ---- Reading ----------------------------------------------------------------------------

// The text's lines in turn, each without its comment and the blanks around it.
struct LineReader {
    std::string_view text;
    size_t at = 0;
    int number = 0;          // of the line taken last
    bool partial = false;    // a last line without its end is then left out
};

enum class Took { line, end, unended };

std::string_view trimmed(std::string_view s) {
    const size_t hash = s.find('#');
    if (hash != std::string_view::npos) s = s.substr(0, hash);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    return s;
}

// The next line that holds something; unended when it is the last and has no end.
Took takeLine(LineReader& r, std::string_view& line) {
    while (r.at < r.text.size()) {
        const size_t end = r.text.find('\n', r.at);
        const bool unended = end == std::string_view::npos;
        const size_t stop = unended ? r.text.size() : end;
        line = trimmed(r.text.substr(r.at, stop - r.at));
        r.at = unended ? r.text.size() : end + 1;
        r.number += 1;
        if (line.empty()) continue;
        return unended ? Took::unended : Took::line;
    }
    return Took::end;
}

std::vector<std::string_view> wordsOf(std::string_view line) {
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        const size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
        if (i > start) words.push_back(line.substr(start, i - start));
    }
    return words;
}

struct Reading {
    LineReader lines;
    ReplayError* error = nullptr;
};

bool fail(Reading& in, std::string why) {
    in.error->line = in.lines.number;
    in.error->why = std::move(why);
    return false;
}

// The next line, which must be "name: value"; its value.
bool takeField(Reading& in, const char* name, std::string_view& value) {
    std::string_view line;
    const Took took = takeLine(in.lines, line);
    if (took == Took::end || (took == Took::unended && in.lines.partial)) {
        if (took == Took::end) in.lines.number += 1;
        return fail(in, std::string("the file is cut short: it ends before '") + name + ":'");
    }
    if (took == Took::unended) return fail(in, "the file is cut short: its last line has no end");
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos || line.substr(0, colon) != name) {
        return fail(in, std::string("expected '") + name + ":', got '" + std::string(line.substr(0, 60)) + "'");
    }
    value = trimmed(line.substr(colon + 1));
    return true;
}

template <typename T>
bool wholeIn(Reading& in, std::string_view word, T& value, T lo, T hi, const char* what) {
    if (parseWhole<T>(word, value, lo, hi)) return true;
    return fail(in, std::string(what) + " must be a whole number from " + std::to_string(lo) + " to " +
                        std::to_string(hi) + ", got '" + std::string(word.substr(0, 40)) + "'");
}

bool floatIn(Reading& in, std::string_view word, float& value, float lo, float hi, const char* what) {
    float parsed = 0.0f;
    const auto [ptr, ec] = std::from_chars(word.data(), word.data() + word.size(), parsed);
    if (ec == std::errc() && ptr == word.data() + word.size() && std::isfinite(parsed) && parsed >= lo &&
        parsed <= hi) {
        value = parsed;
        return true;
    }
    char range[64];
    std::snprintf(range, sizeof range, " must be a number from %g to %g, got '", lo, hi);
    return fail(in, what + std::string(range) + std::string(word.substr(0, 40)) + "'");
}

bool countWords(Reading& in, const std::vector<std::string_view>& words, size_t count, const char* what) {
    if (words.size() == count) return true;
    return fail(in, std::string(what) + " takes " + std::to_string(count) + " value(s), got " +
                        std::to_string(words.size()));
}

// A word that must be there: "mouse" in "mouse 320 240".
bool label(Reading& in, const std::vector<std::string_view>& words, size_t at, const char* name) {
    if (at < words.size() && words[at] == name) return true;
    return fail(in, std::string("expected '") + name + "' at word " + std::to_string(at + 1));
}

bool parseKeyCarry(Reading& in, std::string_view word, InputCarry& carry) {
    // name=edge/held
    const size_t equals = word.find('='), slash = word.find('/');
    if (equals == std::string_view::npos || slash == std::string_view::npos || slash < equals) {
        return fail(in, "a key's state must read 'name=edge/held', got '" + std::string(word.substr(0, 40)) + "'");
    }
    const std::string_view name = word.substr(0, equals), edge = word.substr(equals + 1, slash - equals - 1);
    for (int k = 0; k < kPlayKeyCount; ++k) {
        if (name != kPlayKeys[k].name) continue;
        KeyCarry& key = carry.keys[k];
        int edgeIndex = -1;
        for (int e = 0; e < 3; ++e) {
            if (edge == kEdgeNames[e]) edgeIndex = e;
        }
        if (edgeIndex < 0) return fail(in, "a key's press must be up, unread or read, got '" + std::string(edge) + "'");
        key.edge = static_cast<uint8_t>(edgeIndex);
        return wholeIn<int32_t>(in, word.substr(slash + 1), key.heldFrames, 0, kMaxHeldFrames, "a key's held frames");
    }
    return fail(in, "unknown key '" + std::string(name.substr(0, 40)) + "' (keys: space z a lshift x c)");
}

// "mouse X Y cursor X Y previous X Y stroke N latch B keys K..."
bool parseCarry(Reading& in, std::string_view value, InputCarry& carry) {
    const std::vector<std::string_view> w = wordsOf(value);
    carry = InputCarry{};
    const bool labelled = label(in, w, 0, "mouse") && label(in, w, 3, "cursor") && label(in, w, 6, "previous") &&
                          label(in, w, 9, "stroke") && label(in, w, 11, "latch") && label(in, w, 13, "keys");
    if (!labelled) return false;
    if (!wholeIn<int32_t>(in, w[1], carry.mouseX, 0, 640, "the mouse x") ||
        !wholeIn<int32_t>(in, w[2], carry.mouseY, 0, 480, "the mouse y") ||
        !wholeIn<int32_t>(in, w[4], carry.cursorX, -kMaxCursor, kMaxCursor, "the cursor x") ||
        !wholeIn<int32_t>(in, w[5], carry.cursorY, -kMaxCursor, kMaxCursor, "the cursor y") ||
        !wholeIn<int32_t>(in, w[7], carry.previousX, -kMaxCursor, kMaxCursor, "the previous cursor x") ||
        !wholeIn<int32_t>(in, w[8], carry.previousY, -kMaxCursor, kMaxCursor, "the previous cursor y") ||
        !wholeIn<int32_t>(in, w[10], carry.stroke, 0, kStrokeMax, "the stroke")) {
        return false;
    }
    if (!parseButtons(w[12], carry.latch[0], carry.latch[1])) {
        return fail(in, "the latches must be '-', 'L', 'R' or 'LR', got '" + std::string(w[12].substr(0, 40)) + "'");
    }
    if (w.size() == 15 && w[14] == "-") return true;
    if (w.size() == 14) return fail(in, "'keys' needs the keys' states or '-'");
    for (size_t k = 14; k < w.size(); ++k) {
        if (!parseKeyCarry(in, w[k], carry)) return false;
    }
    return true;
}

// "cursor S order A-B C ..." and the leftover lines after it.
bool parsePool(Reading& in, std::string_view value, int32_t capacity, PoolStart& pool) {
    const std::vector<std::string_view> w = wordsOf(value);
    if (!label(in, w, 0, "cursor") || !label(in, w, 2, "order")) return false;
    pool = PoolStart{};
    pool.records = capacity + 1;
    const int32_t lastSerial = capacity + 2;
    if (!wholeIn<int32_t>(in, w[1], pool.cursor, 0, lastSerial, "the cursor's record")) return false;
    bool seen[kMaxPoolSerial + 1] = {};
    int32_t count = 0;
    for (size_t k = 3; k < w.size(); ++k) {
        const size_t dash = w[k].find('-');
        int32_t first = 0, last = 0;
        if (!wholeIn<int32_t>(in, w[k].substr(0, dash), first, 2, lastSerial, "a record of the order")) return false;
        last = first;
        if (dash != std::string_view::npos &&
            !wholeIn<int32_t>(in, w[k].substr(dash + 1), last, first + 1, lastSerial, "the end of a run of records")) {
            return false;
        }
        for (int32_t serial = first; serial <= last; ++serial) {
            if (seen[serial]) return fail(in, "record " + std::to_string(serial) + " stands twice in the order");
            seen[serial] = true;
            pool.order[count++] = serial;
        }
    }
    if (count != pool.records) {
        return fail(in, "the order must name each of the " + std::to_string(pool.records) + " records once, it names " +
                            std::to_string(count));
    }
    return true;
}

// "SERIAL cells Y X W H clover 0|1"
bool parseLeftover(Reading& in, std::string_view value, PoolStart& pool, bool seen[]) {
    const std::vector<std::string_view> w = wordsOf(value);
    if (!countWords(in, w, 8, "a leftover") || !label(in, w, 1, "cells") || !label(in, w, 6, "clover")) return false;
    int32_t serial = 0, clover = 0;
    if (!wholeIn<int32_t>(in, w[0], serial, 2, pool.records + 1, "a leftover's record")) return false;
    if (seen[serial]) return fail(in, "record " + std::to_string(serial) + " has two leftover lines");
    seen[serial] = true;
    RecordLeftover& r = pool.leftover[serial];
    const bool read = wholeIn<int32_t>(in, w[2], r.cellY, 0, kMaxLeftoverCell, "a cell") &&
                      wholeIn<int32_t>(in, w[3], r.cellX, 0, kMaxLeftoverCell, "a cell") &&
                      wholeIn<int32_t>(in, w[4], r.cellW, 0, kMaxLeftoverCell, "a cell") &&
                      wholeIn<int32_t>(in, w[5], r.cellH, 0, kMaxLeftoverCell, "a cell") &&
                      wholeIn<int32_t>(in, w[7], clover, 0, 1, "clover");
    r.clover = clover != 0;
    return read;
}

bool named(std::string_view line, std::string_view name) {
    return line.size() > name.size() && line.substr(0, name.size()) == name && line[name.size()] == ':';
}

// The leftover lines of a pool; stops before the first line of another name.
bool readLeftovers(Reading& in, std::string_view name, PoolStart& pool) {
    bool seen[kMaxPoolSerial + 1] = {};
    for (;;) {
        const LineReader before = in.lines;
        std::string_view line;
        if (takeLine(in.lines, line) != Took::line || !named(line, name)) {
            in.lines = before;
            return true;
        }
        if (!parseLeftover(in, trimmed(line.substr(name.size() + 1)), pool, seen)) return false;
    }
}

bool readPool(Reading& in, const char* name, const char* leftoverName, int32_t capacity, PoolStart& pool) {
    std::string_view value;
    return takeField(in, name, value) && parsePool(in, value, capacity, pool) &&
           readLeftovers(in, leftoverName, pool);
}

bool readFirstLine(Reading& in) {
    std::string_view line;
    const Took took = takeLine(in.lines, line);
    const std::string_view kFirst = "mossbloom replay:";
    if (took == Took::end || line.substr(0, kFirst.size()) != kFirst) {
        if (took == Took::end) in.lines.number = 1;
        return fail(in, "not a Mossbloom replay: its first line must be 'mossbloom replay: 1'");
    }
    const std::string_view value = trimmed(line.substr(kFirst.size()));
    int32_t version = 0;
    if (!parseWhole<int32_t>(value, version, 0, INT32_MAX)) {
        return fail(in, "the format version must be a whole number, got '" + std::string(value.substr(0, 40)) + "'");
    }
    if (version != kReplayVersion) {
        return fail(in, "this replay is of format version " + std::to_string(version) + "; this game reads version " +
                            std::to_string(kReplayVersion));
    }
    if (took == Took::unended) return fail(in, "the file is cut short: its last line has no end");
    return true;
}

bool readHeader(Reading& in, Replay& replay) {
    PlayStart& s = replay.start;
    std::string_view v;
    if (!readFirstLine(in) || !takeField(in, "partial", v)) return false;
    if (v != "yes" && v != "no") return fail(in, "partial must be yes or no, got '" + std::string(v.substr(0, 40)) + "'");
    replay.partial = in.lines.partial = v == "yes";
    if (!takeField(in, "mode", v)) return false;
    if (!parsePlayMode(v, s.mode)) {
        return fail(in, "the mode must be normal, clover or endless, got '" + std::string(v.substr(0, 40)) + "'");
    }
    if (!takeField(in, "recorded", v)) return false;
    // Free text of at most 40 bytes, as it is shown: no control characters.
    for (const char c : v) {
        if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7f) {
            return fail(in, "the recording's date must be plain text");
        }
    }
    replay.recorded = std::string(trimmed(v.substr(0, 40)));

    std::vector<std::string_view> w;
    auto field = [&](const char* name, size_t count) {
        if (!takeField(in, name, v)) return false;
        w = wordsOf(v);
        return countWords(in, w, count, name);
    };
    const bool generators =
        field("generator words", 3) && wholeIn<uint32_t>(in, w[0], s.words.x, 0, UINT32_MAX, "a generator word") &&
        wholeIn<uint32_t>(in, w[1], s.words.y, 0, UINT32_MAX, "a generator word") &&
        wholeIn<uint32_t>(in, w[2], s.words.z, 0, UINT32_MAX, "a generator word") && field("world generator", 1) &&
        wholeIn<uint32_t>(in, w[0], s.worldRandom, 0, UINT32_MAX, "the world generator") &&
        field("effects generator", 1) &&
        wholeIn<uint32_t>(in, w[0], s.effectsRandom, 0, UINT32_MAX, "the effects generator");
    const bool play =
        generators && field("time left", 1) &&
        wholeIn<int32_t>(in, w[0], s.timeLeftMs, 0, kEndlessTimeMs, "the time left") && field("hint stage", 2) &&
        wholeIn<int32_t>(in, w[0], s.hintStage, 0, 3, "the hint stage") &&
        wholeIn<int32_t>(in, w[1], s.hintStageStart, 0, kMaxHintStart, "the hint stage's start") &&
        field("view", 2) && floatIn(in, w[0], s.viewX, 0.0f, 640.0f, "the view x") &&
        floatIn(in, w[1], s.viewY, 0.0f, 480.0f, "the view y") && field("zoom", 2) &&
        floatIn(in, w[0], s.zoom, 0.5f, 2.0f, "the zoom") &&
        floatIn(in, w[1], s.zoomBlend, 0.0f, 3.0f, "the zoom blend") && field("hud slide", 1) &&
        wholeIn<int32_t>(in, w[0], s.hudSlide, 0, kHudSlideSteps, "the HUD slide") && field("trail slot", 1) &&
        wholeIn<int32_t>(in, w[0], s.trailSlot, 0, kTrailCapacity - 1, "the trail slot");
    if (!play || !takeField(in, "input", v) || !parseCarry(in, v, s.input)) return false;
    if (!readPool(in, "objects", "object leftover", kObjectCapacity, s.objects) ||
        !readPool(in, "seeds", "seed leftover", kSeedCapacity, s.seeds) || !takeField(in, "play", v)) {
        return false;
    }
    return v.empty() || fail(in, "'play:' takes no value");
}

// Frame lines and "resume:" lines up to the footer or the end.
bool readPlayLines(Reading& in, Replay& replay) {
    int32_t pendingCarry = -1;
    int resumeLine = 0;
    for (;;) {
        const LineReader before = in.lines;
        std::string_view line;
        const Took took = takeLine(in.lines, line);
        if (took == Took::end || (took == Took::unended && replay.partial)) break;
        if (took == Took::unended) return fail(in, "the file is cut short: its last line has no end");
        if (named(line, "frames")) {
            in.lines = before;
            break;
        }
        if (named(line, "resume")) {
            if (pendingCarry >= 0) return fail(in, "two 'resume:' lines in a row");
            InputCarry carry;
            if (!parseCarry(in, trimmed(line.substr(7)), carry)) return false;
            replay.carries.push_back(carry);
            pendingCarry = static_cast<int32_t>(replay.carries.size() - 1);
            resumeLine = in.lines.number;
            continue;
        }
        const std::vector<std::string_view> words = wordsOf(line);
        FrameLine frame;
        std::string why;
        if (!parseFrameWords(words, frame, why)) return fail(in, why);
        if (replay.frames + frame.frames > kMaxReplayFrames) {
            return fail(in, "the play is longer than " + std::to_string(kMaxReplayFrames) + " frames");
        }
        replay.steps.push_back(ReplayStep{frame.frames, frame.input, pendingCarry});
        replay.frames += frame.frames;
        pendingCarry = -1;
    }
    // A partial replay may stop between a resume line and its frame; the resume is then unused.
    if (pendingCarry >= 0 && !replay.partial) {
        in.lines.number = resumeLine;
        return fail(in, "a 'resume:' line must be followed by a frame line");
    }
    return true;
}

bool readResultField(Reading& in, const char* name, int32_t& value) {
    std::string_view v;
    return takeField(in, name, v) && wholeIn<int32_t>(in, v, value, INT32_MIN, INT32_MAX, name);
}

bool readFooter(Reading& in, Replay& replay) {
    const LineReader before = in.lines;
    std::string_view line;
    const Took took = takeLine(in.lines, line);
    if (replay.partial) {
        if (took == Took::end || took == Took::unended) return true;
        return fail(in, "a partial replay ends with its play; it has no result");
    }
    if (took == Took::end) {
        in.lines.number += 1;
        return fail(in, "the file is cut short: it ends before its result ('frames:')");
    }
    in.lines = before;
    PlayResult& r = replay.result;
    std::string_view v;
    if (!takeField(in, "frames", v) || !wholeIn<int64_t>(in, v, r.frames, 0, kMaxReplayFrames, "frames")) return false;
    if (r.frames != replay.frames) {
        return fail(in, "the result counts " + std::to_string(r.frames) + " frames, the play lines hold " +
                            std::to_string(replay.frames));
    }
    if (!readResultField(in, "score", r.score) || !readResultField(in, "score carry", r.scoreCarry) ||
        !readResultField(in, "time left", r.timeLeftMs) || !readResultField(in, "objects", r.objects)) {
        return false;
    }
    for (int kind = 0; kind < kKindSlots; ++kind) {
        if (kindName(kind) != nullptr && !readResultField(in, kindName(kind), r.byKind[kind])) return false;
    }
    if (!readResultField(in, "seeds", r.seeds) || !readResultField(in, "dreams collected", r.dreamsCollected) ||
        !takeField(in, "digest", v)) {
        return false;
    }
    const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), r.digest, 16);
    if (v.size() != 16 || ec != std::errc() || end != v.data() + v.size()) {
        return fail(in, "the digest must be 16 hexadecimal digits, got '" + std::string(v.substr(0, 40)) + "'");
    }
    replay.hasResult = true;
    if (takeLine(in.lines, line) != Took::end) return fail(in, "nothing may follow the digest");
    return true;
}

// ---- Writing ----------------------------------------------------------------------------

void appendOrder(TextBuffer& text, const PoolStart& pool) {
    for (int32_t i = 0; i < pool.records;) {
        int32_t last = i;
        while (last + 1 < pool.records && pool.order[last + 1] == pool.order[last] + 1) ++last;
        if (last > i) {
            appendText(text, " %d-%d", pool.order[i], pool.order[last]);
        } else {
            appendText(text, " %d", pool.order[i]);
        }
        i = last + 1;
    }
}

void appendPool(TextBuffer& text, const char* name, const char* leftoverName, const PoolStart& pool) {
    appendText(text, "%s: cursor %d order", name, pool.cursor);
    appendOrder(text, pool);
    appendText(text, "\n");
    for (int32_t serial = 2; serial <= pool.records + 1; ++serial) {
        const RecordLeftover& r = pool.leftover[serial];
        if (r.cellY == 0 && r.cellX == 0 && r.cellW == 0 && r.cellH == 0 && !r.clover) continue;
        appendText(text, "%s: %d cells %d %d %d %d clover %d\n", leftoverName, serial, r.cellY, r.cellX, r.cellW,
                   r.cellH, r.clover ? 1 : 0);
    }
}

void appendCarry(TextBuffer& text, const InputCarry& c) {
    appendText(text, "mouse %d %d cursor %d %d previous %d %d stroke %d latch %s keys", c.mouseX, c.mouseY, c.cursorX,
               c.cursorY, c.previousX, c.previousY, c.stroke, buttonsText(c.latch[0], c.latch[1]));
    bool any = false;
    for (int k = 0; k < kPlayKeyCount; ++k) {
        const KeyCarry& key = c.keys[k];
        if (key.edge == kKeyUp && key.heldFrames == 0) continue;
        appendText(text, " %s=%s/%d", kPlayKeys[k].name, kEdgeNames[key.edge < 3 ? key.edge : 0], key.heldFrames);
        any = true;
    }
    appendText(text, any ? "\n" : " -\n");
}

}  // namespace

const char* playModeName(PlayMode mode) {
    switch (mode) {
        case PlayMode::clover: return "clover";
        case PlayMode::endless: return "endless";
        case PlayMode::normal: break;
    }
    return "normal";
}

bool parsePlayMode(std::string_view text, PlayMode& mode) {
    for (PlayMode m : {PlayMode::normal, PlayMode::clover, PlayMode::endless}) {
        if (text == playModeName(m)) {
            mode = m;
            return true;
        }
    }
    return false;
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

bool readReplay(std::string_view text, Replay& replay, ReplayError& error) {
    replay = Replay{};
    error = ReplayError{};
    if (text.size() > kMaxReplayBytes) {
        error.line = 1;
        error.why = "the file is larger than any replay (" + std::to_string(kMaxReplayBytes >> 20) + " MiB)";
        return false;
    }
    Reading in{LineReader{text}, &error};
    return readHeader(in, replay) && readPlayLines(in, replay) && readFooter(in, replay);
}

bool readReplayFile(const char* path, Replay& replay, ReplayError& error) {
    error = ReplayError{};
    std::ifstream file(path, std::ios::binary);
    if (file) file.seekg(0, std::ios::end);
    const std::streamoff size = file ? static_cast<std::streamoff>(file.tellg()) : -1;
    if (!file || size < 0) {
        error.why = std::string("cannot open the replay '") + path + "'";
        return false;
    }
    file.seekg(0, std::ios::beg);
    // One byte more than a replay may have tells a file that is too large.
    std::string text(std::min<size_t>(static_cast<size_t>(size), kMaxReplayBytes + 1), '\0');
    file.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (file.bad()) {
        error.why = std::string("cannot read the replay '") + path + "'";
        return false;
    }
    text.resize(static_cast<size_t>(file.gcount()));
    return readReplay(text, replay, error);
}

void appendText(TextBuffer& text, const char* format, ...) {
    if (text.overflowed || text.length >= text.capacity) {
        text.overflowed = true;
        return;
    }
    va_list args;
    va_start(args, format);
    const size_t room = text.capacity - text.length;
    const int written = std::vsnprintf(text.data + text.length, room, format, args);
    va_end(args);
    if (written < 0 || static_cast<size_t>(written) >= room) {
        text.data[text.length] = '\0';
        text.overflowed = true;
        return;
    }
    text.length += static_cast<size_t>(written);
}

void formatReplayHeader(TextBuffer& text, const PlayStart& s, const char* recorded, bool partial) {
    appendText(text, "mossbloom replay: %d\npartial: %s\nmode: %s\nrecorded: %s\n", kReplayVersion,
               partial ? "yes" : "no", playModeName(s.mode), recorded);
    appendText(text, "generator words: %u %u %u\nworld generator: %u\neffects generator: %u\n", s.words.x, s.words.y,
               s.words.z, s.worldRandom, s.effectsRandom);
    appendText(text, "time left: %d\nhint stage: %d %d\nview: %.9g %.9g\nzoom: %.9g %.9g\nhud slide: %d\n",
               s.timeLeftMs, s.hintStage, s.hintStageStart, static_cast<double>(s.viewX),
               static_cast<double>(s.viewY), static_cast<double>(s.zoom), static_cast<double>(s.zoomBlend),
               s.hudSlide);
    appendText(text, "trail slot: %d\ninput: ", s.trailSlot);
    appendCarry(text, s.input);
    appendPool(text, "objects", "object leftover", s.objects);
    appendPool(text, "seeds", "seed leftover", s.seeds);
    appendText(text, "play:\n");
}

void formatResumeLine(TextBuffer& text, const InputCarry& carry) {
    appendText(text, "resume: ");
    appendCarry(text, carry);
}

void formatResultLines(TextBuffer& text, const PlayResult& r) {
    appendText(text, "score: %d\nscore carry: %d\ntime left: %d\nobjects: %d\n", r.score, r.scoreCarry, r.timeLeftMs,
               r.objects);
    for (int kind = 0; kind < kKindSlots; ++kind) {
        if (const char* name = kindName(kind)) appendText(text, "%s: %d\n", name, r.byKind[kind]);
    }
    appendText(text, "seeds: %d\ndreams collected: %d\ndigest: %016llx\n", r.seeds, r.dreamsCollected,
               static_cast<unsigned long long>(r.digest));
}

void formatReplayFooter(TextBuffer& text, const PlayResult& result) {
    appendText(text, "frames: %lld\n", static_cast<long long>(result.frames));
    formatResultLines(text, result);
}

void formatReplay(TextBuffer& text, const Replay& replay) {
    formatReplayHeader(text, replay.start, replay.recorded.c_str(), replay.partial);
    for (const ReplayStep& step : replay.steps) {
        if (step.carry >= 0) formatResumeLine(text, replay.carries[static_cast<size_t>(step.carry)]);
        const size_t length = formatFrameLine(text.data + text.length, text.capacity - text.length,
                                              FrameLine{step.frames, step.input});
        if (length == 0) text.overflowed = true;
        text.length += length;
    }
    if (replay.hasResult) formatReplayFooter(text, replay.result);
}

bool firstDifference(const PlayResult& recorded, const PlayResult& replayed, std::string& what) {
    auto differs = [&](const char* name, long long a, long long b) {
        if (a == b) return false;
        what = std::string(name) + ": recorded " + std::to_string(a) + ", replayed " + std::to_string(b);
        return true;
    };
    if (differs("frames", recorded.frames, replayed.frames) || differs("score", recorded.score, replayed.score) ||
        differs("score carry", recorded.scoreCarry, replayed.scoreCarry) ||
        differs("time left", recorded.timeLeftMs, replayed.timeLeftMs) ||
        differs("objects", recorded.objects, replayed.objects)) {
        return true;
    }
    for (int kind = 0; kind < kKindSlots; ++kind) {
        if (kindName(kind) && differs(kindName(kind), recorded.byKind[kind], replayed.byKind[kind])) return true;
    }
    if (differs("seeds", recorded.seeds, replayed.seeds) ||
        differs("dreams collected", recorded.dreamsCollected, replayed.dreamsCollected)) {
        return true;
    }
    if (recorded.digest == replayed.digest) return false;
    char digests[64];
    std::snprintf(digests, sizeof digests, "digest: recorded %016llx, replayed %016llx",
                  static_cast<unsigned long long>(recorded.digest), static_cast<unsigned long long>(replayed.digest));
    what = digests;
    return true;
}

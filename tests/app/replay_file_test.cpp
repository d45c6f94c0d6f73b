// The replay file's text: what is written reads back the same, and every kind of damage is
// refused with its line, without a crash.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "app/replay_file.h"
#include "world/play_clock.h"
#include "world/player.h"

namespace {

// A start as a second play of a run leaves it: both pools out of their first order, a few
// leftover fields, a key held from before and a latched click.
PlayStart sampleStart() {
    PlayStart s;
    s.mode = PlayMode::endless;
    s.words = RandomWords{1, 4294967295u, 77};
    s.worldRandom = 3735928559u;
    s.effectsRandom = 42;
    s.timeLeftMs = kEndlessTimeMs;
    s.hintStage = 3;
    s.hintStageStart = 25012;
    s.viewX = 123.456f;
    s.viewY = 0.1f;
    s.zoom = 0.55f;
    s.zoomBlend = 0.1f;
    s.hudSlide = 7;
    s.trailSlot = 44;
    s.input.mouseX = 640;
    s.input.mouseY = 17;
    s.input.cursorX = -30;
    s.input.cursorY = 2240;
    s.input.previousX = 5;
    s.input.previousY = -6;
    s.input.stroke = kStrokeMax;
    s.input.keys[1] = KeyCarry{kKeyPressedRead, 41};
    s.input.keys[0] = KeyCarry{kKeyPressedUnread, 1};
    s.input.latch[0] = true;
    for (PoolStart* p : {&s.objects, &s.seeds}) {
        p->records = (p == &s.objects ? kObjectCapacity : kSeedCapacity) + 1;
        // 2, then the rest backwards in blocks: runs and single records both.
        for (int i = 0; i < p->records; ++i) p->order[i] = i < 10 ? 2 + i : p->records + 1 - (i - 10);
        p->cursor = 5;
    }
    s.objects.leftover[9] = RecordLeftover{120, 700, 50, 60, false};
    s.seeds.leftover[3] = RecordLeftover{0, 0, 0, 0, true};
    return s;
}

PlayResult sampleResult(int64_t frames) {
    PlayResult r;
    r.frames = frames;
    r.score = 98765;
    r.scoreCarry = 2;
    r.timeLeftMs = 0;
    r.objects = 14;
    r.byKind[aqua] = 3;
    r.byKind[bud] = 11;
    r.seeds = 99;
    r.dreamsCollected = 4;
    r.digest = 0x0123456789abcdefull;
    return r;
}

// Header, frames (a resume line among them) and footer, as the recorder writes them.
std::string sampleText(bool partial = false) {
    static char buffer[1 << 16];
    TextBuffer t{buffer, sizeof buffer};
    formatReplayHeader(t, sampleStart(), "2026-11-01 14:03:22", partial);
    appendText(t, "30 320 240 -\n10 200 200 L space\n");
    InputCarry carry;
    carry.cursorX = 99;
    carry.keys[4] = KeyCarry{kKeyPressedUnread, 3};
    formatResumeLine(t, carry);
    appendText(t, "1000000 0 480 LR z a lshift x c\n");
    if (!partial) formatReplayFooter(t, sampleResult(1000040));
    EXPECT_FALSE(t.overflowed);
    return std::string(buffer, t.length);
}

bool samePool(const PoolStart& a, const PoolStart& b) {
    if (a.records != b.records || a.cursor != b.cursor) return false;
    for (int i = 0; i < a.records; ++i) {
        if (a.order[i] != b.order[i]) return false;
    }
    for (int serial = 0; serial <= kMaxPoolSerial; ++serial) {
        const RecordLeftover &x = a.leftover[serial], &y = b.leftover[serial];
        if (x.cellY != y.cellY || x.cellX != y.cellX || x.cellW != y.cellW || x.cellH != y.cellH || x.clover != y.clover)
            return false;
    }
    return true;
}

struct Refusal {
    int line;
    std::string because;
};

Refusal refusal(const std::string& text) {
    Replay replay;
    ReplayError error;
    EXPECT_FALSE(readReplay(text, replay, error)) << text.substr(0, 200);
    return {error.line, error.why};
}

// The sample with one line replaced (lines counted from 1).
std::string withLine(int number, const std::string& line) {
    std::string text = sampleText();
    size_t start = 0;
    for (int n = 1; n < number; ++n) start = text.find('\n', start) + 1;
    const size_t end = text.find('\n', start);
    return text.replace(start, end - start, line);
}

int lineOf(const std::string& text, const std::string& beginning) {
    int number = 1;
    for (size_t at = 0; at < text.size(); at = text.find('\n', at) + 1, ++number) {
        if (text.compare(at, beginning.size(), beginning) == 0) return number;
    }
    return -1;
}

std::string written(const Replay& replay) {
    static char buffer[1 << 16];
    TextBuffer t{buffer, sizeof buffer};
    formatReplay(t, replay);
    return std::string(buffer, t.length);
}

TEST(ReplayFile, WhatIsWrittenReadsBackTheSame) {
    Replay replay;
    ReplayError error;
    ASSERT_TRUE(readReplay(sampleText(), replay, error)) << error.line << ": " << error.why;
    // Every field, floats to the bit, comes back: written again, the text is the same.
    EXPECT_EQ(written(replay), sampleText());
    EXPECT_EQ(replay.start.viewX, 123.456f);
    EXPECT_EQ(replay.start.zoomBlend, 0.1f);
    EXPECT_TRUE(samePool(replay.start.objects, sampleStart().objects));
    EXPECT_TRUE(samePool(replay.start.seeds, sampleStart().seeds));
    ASSERT_EQ(replay.steps.size(), 3u);
    EXPECT_EQ(replay.steps[2].carry, 0) << "the resume line comes before the third step";
    EXPECT_EQ(replay.frames, 1000040);
    ASSERT_TRUE(replay.hasResult);
    std::string difference;
    EXPECT_FALSE(firstDifference(replay.result, sampleResult(1000040), difference)) << difference;
}

TEST(ReplayFile, TheFirstDifferenceOfTwoResultsIsNamedWithBothValues) {
    PlayResult a = sampleResult(10), b = a;
    b.byKind[bud] = 12;
    b.digest = 1;
    std::string what;
    ASSERT_TRUE(firstDifference(a, b, what));
    EXPECT_EQ(what, "bud: recorded 11, replayed 12");
    b = a;
    b.digest = 0xff;
    ASSERT_TRUE(firstDifference(a, b, what));
    EXPECT_EQ(what, "digest: recorded 0123456789abcdef, replayed 00000000000000ff");
}

TEST(ReplayFile, APartialReplayEndsWithItsPlayAndLosesOnlyAnUnendedLastLine) {
    const std::string text = sampleText(true);
    Replay replay;
    ReplayError error;
    ASSERT_TRUE(readReplay(text, replay, error)) << error.line << ": " << error.why;
    EXPECT_TRUE(replay.partial);
    EXPECT_FALSE(replay.hasResult);
    EXPECT_EQ(replay.frames, 1000040);
    // The game stopped halfway through writing its last line: the lines before it stand.
    ASSERT_TRUE(readReplay(text + "25 31", replay, error)) << error.why;
    EXPECT_EQ(replay.frames, 1000040);
    // A result has no place in a partial replay.
    const Refusal r = refusal(text + "frames: 1000040\n");
    EXPECT_EQ(r.line, lineOf(text, "1000000 0 480") + 1);
    EXPECT_NE(r.because.find("partial replay ends with its play"), std::string::npos) << r.because;
}

// Every cut of a partial replay at the end of a line is a shorter partial replay; every cut of a
// finished one, anywhere, is refused as cut short (or, inside a number, as a bad line).
TEST(ReplayFile, EveryCutIsEitherAShorterPartialReplayOrRefused) {
    const std::string partial = sampleText(true);
    const int header = lineOf(partial, "play:");
    int lines = 0;
    for (size_t at = 0; at < partial.size(); ++at) {
        if (partial[at] != '\n') continue;
        ++lines;
        Replay replay;
        ReplayError error;
        const bool read = readReplay(partial.substr(0, at + 1), replay, error);
        EXPECT_EQ(read, lines >= header) << "cut after line " << lines << ": " << error.why;
    }
    const std::string finished = sampleText(false);
    for (size_t cut = 0; cut < finished.size(); ++cut) {
        Replay replay;
        ReplayError error;
        ASSERT_FALSE(readReplay(finished.substr(0, cut), replay, error)) << "cut at byte " << cut;
        ASSERT_GE(error.line, 1);
    }
}

TEST(ReplayFile, DamageIsRefusedWithItsLineAndWhatIsWrong) {
    const std::string text = sampleText();
    const int play = lineOf(text, "play:");
    const int footer = lineOf(text, "frames:");
    struct Case {
        std::string text;
        int line;
        const char* because;
    };
    const Case cases[] = {
        {"", 1, "not a Mossbloom replay"},
        {"\x7f" "ELF\x01\x02\x03\xff\xfe garbage\n\n\x00\x01", 1, "not a Mossbloom replay"},
        {"mossbloom replay: 2\n" + text.substr(text.find('\n') + 1), 1, "format version 2; this game reads version 1"},
        {"mossbloom replay: one\n", 1, "the format version must be a whole number"},
        {text.substr(0, text.find("mode:")), 3, "cut short: it ends before 'mode:'"},
        {text.substr(0, text.find("\nplay:") + 1), play, "cut short: it ends before 'play:'"},
        {text.substr(0, text.find("frames:")), footer, "cut short: it ends before its result"},
        {text.substr(0, text.size() - 1), lineOf(text, "digest:"), "its last line has no end"},
        {withLine(2, "partial: maybe"), 2, "partial must be yes or no"},
        {withLine(3, "mode: hard"), 3, "the mode must be normal, clover or endless"},
        {withLine(3, "zoom: 1 1"), 3, "expected 'mode:', got 'zoom: 1 1'"},
        {withLine(4, "recorded: 2026-11-01\x01\x02"), 4, "the recording's date must be plain text"},
        {withLine(5, "generator words: 1 2"), 5, "generator words takes 3 value(s), got 2"},
        {withLine(6, "world generator: 4294967296"), 6, "the world generator must be a whole number from 0 to 4294967295"},
        {withLine(8, "time left: -1"), 8, "the time left must be"},
        {withLine(10, "view: nan 0"), 10, "the view x must be a number from 0 to 640"},
        {withLine(10, "view: 0 inf"), 10, "the view y must be"},
        {withLine(11, "zoom: 0.4 0"), 11, "the zoom must be a number from 0.5 to 2"},
        {withLine(12, "hud slide: 11"), 12, "the HUD slide must be"},
        {withLine(13, "trail slot: 45"), 13, "the trail slot must be"},
        {withLine(14, "input: mouse 641 0 cursor 0 0 previous 0 0 stroke 0 latch - keys -"), 14, "the mouse x must be"},
        {withLine(14, "input: mouse 0 0 cursor 99999 0 previous 0 0 stroke 0 latch - keys -"), 14, "the cursor x must be"},
        {withLine(14, "input: mouse 0 0 cursor 0 0 previous 0 0 stroke 201 latch - keys -"), 14, "the stroke must be"},
        {withLine(14, "input: mouse 0 0 cursor 0 0 previous 0 0 stroke 0 latch Q keys -"), 14, "the latches must be"},
        {withLine(14, "input: mouse 0 0 cursor 0 0 previous 0 0 stroke 0 latch - keys q=read/1"), 14, "unknown key 'q'"},
        {withLine(14, "input: mouse 0 0 cursor 0 0 previous 0 0 stroke 0 latch - keys z=down/1"), 14,
         "a key's press must be up, unread or read"},
        {withLine(14, "input: mouse 0 0 cursor 0 0 previous 0 0 stroke 0 latch - keys z=read/2147483647"), 14,
         "a key's held frames must be"},
        {withLine(14, "input: mouse 0 0 stroke 0"), 14, "expected 'cursor' at word 4"},
        {withLine(15, "objects: cursor 1 order 2-557 2"), 15, "record 2 stands twice in the order"},
        {withLine(15, "objects: cursor 1 order 2-556"), 15, "the order must name each of the 556 records once, it names 555"},
        {withLine(15, "objects: cursor 1 order 2-2000000000"), 15, "the end of a run of records must be"},
        {withLine(15, "objects: cursor 558 order 2-557"), 15, "the cursor's record must be"},
        {withLine(16, "object leftover: 9 cells 1 2 3 99999 clover 0"), 16, "a cell must be"},
        {withLine(16, "object leftover: 1 cells 1 2 3 4 clover 0"), 16, "a leftover's record must be"},
        {withLine(play + 1, "99999999999 320 240 -"), play + 1, "the frame count must be a whole number from 1 to 1000000"},
        {withLine(play + 1, "30 320 240 Q"), play + 1, "the buttons must be"},
        {withLine(play + 1, "30 320"), play + 1, "expected '<frames> <x> <y> <buttons> [keys...]'"},
        {withLine(play + 2, "10 200 200 L jump"), play + 2, "unknown key 'jump'"},
        {withLine(play + 2, "resume: mouse 0 0 cursor 0 0 previous 0 0 stroke 0 latch - keys -"), play + 3,
         "two 'resume:' lines in a row"},
        {withLine(footer, "frames: 12"), footer, "the result counts 12 frames, the play lines hold 1000040"},
        {withLine(footer + 1, "score: lots"), footer + 1, "score must be a whole number"},
        {withLine(lineOf(text, "digest:"), "digest: 0123"), lineOf(text, "digest:"), "16 hexadecimal digits"},
        {text + "30 320 240 -\n", footer + 22, "nothing may follow the digest"},
    };
    for (const Case& c : cases) {
        const Refusal r = refusal(c.text);
        EXPECT_EQ(r.line, c.line) << c.because << " / " << r.because;
        EXPECT_NE(r.because.find(c.because), std::string::npos) << "expected '" << c.because << "', got '" << r.because
                                                                << "'";
    }
}

TEST(ReplayFile, HugeRunsAddUpToNoMoreThanTheLongestPlay) {
    std::string text = sampleText(true);
    std::string lines;
    for (int i = 0; i < 1000; ++i) lines += "1000000 1 2 -\n";
    const Refusal r = refusal(text + lines);
    EXPECT_EQ(r.line, lineOf(text, "play:") + 4 + 999) << "the line that passes the limit";
    EXPECT_NE(r.because.find("the play is longer than 1000000000 frames"), std::string::npos) << r.because;
}

TEST(ReplayFile, CommentsBlankLinesAndWindowsLineEndsAreRead) {
    std::string text = sampleText();
    text.insert(0, "# a play I liked\n\n");
    std::string crlf;
    for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    Replay replay;
    ReplayError error;
    EXPECT_TRUE(readReplay(crlf, replay, error)) << error.line << ": " << error.why;
    EXPECT_EQ(replay.frames, 1000040);
}

}  // namespace

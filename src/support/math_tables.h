#pragma once
// Random generator, whole-degree angle tables and small 2-D helpers.
// Angles are whole degrees: 0 points right, 90 points up the screen.

#include <cstdint>

// Pi as the game turns its angles: the float nearest pi, 3.1415927f (3.14159274...).
inline constexpr float kPi = 3.1415927f;

// The three generator words that every MathTables of one game shares: a draw from any of them
// moves them all, so the world's next numbers also depend on the effects' draws. The App owns
// the game's one set; a simulator or a test owns its own.
struct RandomWords {
    uint32_t x = 123456789u, y = 362436069u, z = 521288629u;
};

struct MathTables {
    uint32_t randomState = 1;   // this owner's generator word
    float sinTable[360];        // -sin(i degrees): positive angles turn toward the top of the screen
    float cosTable[360];        //  cos(i degrees)
    bool clockSeeded = false;
    RandomWords* words = nullptr;   // shared with the game's other generators
};

struct PrimaryColour {
    int red, green, blue;
};

// Fills the tables, sets the generator word to 1 and joins the shared words.
void initMathTables(MathTables& m, RandomWords& words);
void reseedFromClock(MathTables& m);
PrimaryColour randomPrimary(MathTables& m, int value);

// The draws and the table look-ups are inline: the world's loops make thousands of them a frame.
// One step of the generator on the shared words and an owner's word.
inline uint32_t nextRandomWord(RandomWords& words, uint32_t& state) {
    const uint32_t t = words.x ^ (words.x << 11);
    words.x = words.y;
    words.y = words.z;
    words.z = state;
    uint32_t w = state;
    w = w ^ (w >> 19) ^ t ^ (t >> 8);
    state = w;
    return w;
}

// The remainder of a draw by 2^31 - 1, from its two halves: 2^31 leaves 1, so the sum of the high
// bit and the other 31 is the remainder or exceeds it by 2^31 - 1 at most. The same number as the
// division's, in half the instructions.
inline uint32_t drawModulo31(uint32_t draw) {
    constexpr uint32_t m = 2147483647u;
    const uint32_t r = (draw & m) + (draw >> 31);
    return r >= m ? r - m : r;
}

// A draw as a float from 0 up to x.
inline float floatOfDraw(uint32_t draw, float x) {
    const uint32_t r = drawModulo31(draw);
    return static_cast<float>(r * (1.0 / 2147483648.0) * x);
}

inline uint32_t nextRandom(MathTables& m) { return nextRandomWord(*m.words, m.randomState); }
inline uint32_t randomInt(MathTables& m, uint32_t n) { return nextRandom(m) % n; }
inline float randomFloat(MathTables& m, float x) { return floatOfDraw(nextRandom(m), x); }

// The generator taken out of its owner for a loop of many draws and nothing else, so that its
// words stay in registers (through the owner, every store the loop makes might change them). Put
// it back before anything else draws.
struct HeldRandom {
    RandomWords words;
    uint32_t state;
};

inline HeldRandom holdRandom(const MathTables& m) { return {*m.words, m.randomState}; }
inline void putBackRandom(MathTables& m, const HeldRandom& held) {
    *m.words = held.words;
    m.randomState = held.state;
}
inline uint32_t nextRandom(HeldRandom& r) { return nextRandomWord(r.words, r.state); }
inline float randomFloat(HeldRandom& r, float x) { return floatOfDraw(nextRandom(r), x); }

// Any whole-degree angle to 0..359.
inline int normaliseAngle(int a) {
    if (a < 0) a = 359 - ((-(a + 1)) % 360);
    return a % 360;
}

inline float tableSin(const MathTables& m, int angle) { return m.sinTable[normaliseAngle(angle)]; }
inline float tableCos(const MathTables& m, int angle) { return m.cosTable[normaliseAngle(angle)]; }

int angleTo(float ax, float ay, float bx, float by);
void moveToward(float& px, float& py, float tx, float ty, float step);
void rotateAbout(float& px, float& py, float cx, float cy, float angle);
void raiseToMinimum(float& vx, float& vy, float minimum);
void limitToMaximum(float& vx, float& vy, float maximum);

bool withinRadius(float ax, float ay, float bx, float by, float r);
void clampInt(int& value, int max);
void clampFloat(float& value, float lo, float hi);
bool nearlyEqual(int a, int b);
float distance(float ax, float ay, float bx, float by);
inline float absFloat(float v) { return v < 0 ? -v : v; }
inline int absInt(int v) { return v < 0 ? -v : v; }
inline float squareFloat(float v) { return v * v; }
inline int squareInt(int v) { return v * v; }

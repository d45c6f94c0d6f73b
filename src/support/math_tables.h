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
inline uint32_t nextRandom(MathTables& m) {
    RandomWords& words = *m.words;
    const uint32_t t = words.x ^ (words.x << 11);
    words.x = words.y;
    words.y = words.z;
    words.z = m.randomState;
    uint32_t w = m.randomState;
    w = w ^ (w >> 19) ^ t ^ (t >> 8);
    m.randomState = w;
    return w;
}

inline uint32_t randomInt(MathTables& m, uint32_t n) { return nextRandom(m) % n; }

inline float randomFloat(MathTables& m, float x) {
    const uint32_t r = nextRandom(m) % 2147483647u;
    return static_cast<float>(r * (1.0 / 2147483648.0) * x);
}

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

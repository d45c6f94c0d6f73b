#pragma once
// Random generator, whole-degree angle tables and small 2-D helpers.
// Angles are whole degrees: 0 points right, 90 points up the screen.

#include <cstdint>

struct MathTables {
    uint32_t randomState = 1;   // this owner's generator word
    float sinTable[360];        // -sin(i degrees): positive angles turn toward the top of the screen
    float cosTable[360];        //  cos(i degrees)
    bool clockSeeded = false;
};

struct PrimaryColour {
    int red, green, blue;
};

// The three generator words shared by every MathTables of the program.
struct SharedRandomWords {
    uint32_t x, y, z;
};
SharedRandomWords& sharedRandomWords();
void resetSharedRandomWords();  // back to 123456789, 362436069, 521288629

void initMathTables(MathTables& m);
void reseedFromClock(MathTables& m);
uint32_t nextRandom(MathTables& m);
uint32_t randomInt(MathTables& m, uint32_t n);
float randomFloat(MathTables& m, float x);
PrimaryColour randomPrimary(MathTables& m, int value);
float tableSin(const MathTables& m, int angle);
float tableCos(const MathTables& m, int angle);

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

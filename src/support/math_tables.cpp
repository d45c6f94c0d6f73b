#include "support/math_tables.h"

#include <cmath>

#include "platform/clock.h"

void initMathTables(MathTables& m, RandomWords& words) {
    m.randomState = 1;
    m.words = &words;
    // The angle is worked out in double with the float value of pi (3.14159274...), which is
    // not the double nearest 3.1415927; the last bits of a fifth of the entries depend on it.
    const double pi = kPi;
    for (int i = 0; i < 360; ++i) {
        const float theta = static_cast<float>(i / 180.0 * pi);
        m.sinTable[i] = -1.0f * sinf(theta);
        m.cosTable[i] = cosf(theta);
    }
}

void reseedFromClock(MathTables& m) {
    m.randomState = static_cast<uint32_t>(platform::calendarSeconds());
    m.clockSeeded = true;
}

PrimaryColour randomPrimary(MathTables& m, int v) {
    switch (nextRandom(m) % 7) {
        case 0: return {v, 0, 0};
        case 1: return {0, v, 0};
        case 2: return {0, 0, v};
        case 3: return {v, v, 0};
        case 4: return {0, v, v};
        case 5: return {v, 0, v};
        default: return {v, v / 2, 0};
    }
}


int angleTo(float ax, float ay, float bx, float by) {
    float dx = bx - ax;
    const float dy = by - ay;
    if (dy == 0.0f) return dx >= 0.0f ? 0 : 180;
    if (dy > 0.0f) dx = -dx;
    // This turn has always used pi cut to five decimals, in double: not kPi.
    const int e = static_cast<int>(std::atan(dx / dy) * -180.0 / 3.14159);
    int r = 90 - e;
    if (by > ay) r = 360 - r;
    return (r >= 0 && r < 360) ? r : 0;
}

// Out of line on purpose: compiled on its own it takes the absolute values without a branch,
// which a meeting's pull, with its unforeseeable signs, gains more from than from saving the call.
void moveToward(float& px, float& py, float tx, float ty, float step) {
    const float dx = tx - px;
    const float dy = ty - py;
    const float g = absFloat(dx) > absFloat(dy) ? absFloat(dx) : absFloat(dy);
    px += dx / g * step;
    py += dy / g * step;
}

void rotateAbout(float& px, float& py, float cx, float cy, float angle) {
    const float theta = angle / 180.0f * -kPi;
    const float ux = px - cx;
    const float uy = py - cy;
    px = cx + (ux * cosf(theta) - uy * sinf(theta));
    py = cy + (ux * sinf(theta) + uy * cosf(theta));
}

void raiseToMinimum(float& vx, float& vy, float minimum) {
    if (absFloat(vx) >= minimum && absFloat(vy) >= minimum) return;
    const float g = absFloat(vx) < absFloat(vy) ? absFloat(vx) : absFloat(vy);
    if (g < 0.01f) return;
    vx /= g / minimum;
    vy /= g / minimum;
}

void limitToMaximum(float& vx, float& vy, float maximum) {
    if (absFloat(vx) <= maximum && absFloat(vy) <= maximum) return;
    const float g = absFloat(vx) > absFloat(vy) ? absFloat(vx) : absFloat(vy);
    if (g < 0.01f) return;
    vx /= g / maximum;
    vy /= g / maximum;
}

bool withinRadius(float ax, float ay, float bx, float by, float r) {
    return (ax - bx) * (ax - bx) + (ay - by) * (ay - by) < r * r;
}

void clampInt(int& value, int max) {
    if (value < 0) value = 0;
    if (value > max) value = max;
}

void clampFloat(float& value, float lo, float hi) {
    if (value < lo) value = lo;
    if (value > hi) value = hi;
}

bool nearlyEqual(int a, int b) { return absInt(a - b) <= 2; }

float distance(float ax, float ay, float bx, float by) {
    return absFloat(std::sqrt((bx - ax) * (bx - ax) + (by - ay) * (by - ay)));
}

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "support/math_tables.h"

namespace {

struct MathTablesTest : ::testing::Test {
    RandomWords words;
    MathTables m;
    void SetUp() override { initMathTables(m, words); }
};

TEST_F(MathTablesTest, FirstDrawFromAFreshGeneratorIsFixed) {
    // t = x ^ (x << 11) with x = 123456789; w = 1 ^ (1 >> 19) ^ t ^ (t >> 8)
    const uint32_t x = 123456789u;
    const uint32_t t = x ^ (x << 11);
    const uint32_t expected = 1u ^ t ^ (t >> 8);
    EXPECT_EQ(nextRandom(m), expected);
    EXPECT_EQ(m.randomState, expected);
    EXPECT_EQ(words.x, 362436069u);
    EXPECT_EQ(words.z, 1u);
}

TEST_F(MathTablesTest, TwoOwnersShareTheGeneratorWords) {
    MathTables other;
    initMathTables(other, words);
    const uint32_t a = nextRandom(m);
    words = RandomWords{};
    initMathTables(m, words);
    nextRandom(other);  // advances the shared words
    EXPECT_NE(nextRandom(m), a);
}

TEST_F(MathTablesTest, GeneratorsOfTwoSetsOfWordsDoNotDisturbEachOther) {
    RandomWords otherWords;
    MathTables other;
    initMathTables(other, otherWords);
    const uint32_t first = nextRandom(m);
    words = RandomWords{};
    initMathTables(m, words);
    for (int i = 0; i < 5; ++i) nextRandom(other);  // another game's draws
    EXPECT_EQ(nextRandom(m), first);
}

TEST_F(MathTablesTest, DrawsStayInTheirRanges) {
    for (int i = 0; i < 2000; ++i) {
        EXPECT_EQ(randomInt(m, 1), 0u);
        const float f = randomFloat(m, 1.4f) - 0.7f;
        EXPECT_GE(f, -0.7f);
        EXPECT_LT(f, 0.7f);
        const PrimaryColour c = randomPrimary(m, 150);
        EXPECT_TRUE(c.red == 0 || c.red == 150);
        EXPECT_TRUE(c.green == 0 || c.green == 150 || c.green == 75);
        EXPECT_TRUE(c.blue == 0 || c.blue == 150);
        EXPECT_GT(c.red + c.green + c.blue, 0);
    }
}

TEST(DrawModulo, EqualsTheRemainderByTwoToThe31MinusOneForEveryKindOfDraw) {
    // The edges where the two halves' sum reaches or passes the divisor, then a sweep of draws
    // whose high bit is set and clear.
    const uint32_t edges[] = {0u,          1u,          2147483646u, 2147483647u, 2147483648u,
                              2147483649u, 4294967293u, 4294967294u, 4294967295u};
    for (uint32_t d : edges) EXPECT_EQ(drawModulo31(d), d % 2147483647u) << d;
    for (uint32_t d = 12345u, i = 0; i < 200000; ++i, d = d * 2654435761u + 97u) {
        ASSERT_EQ(drawModulo31(d), d % 2147483647u) << d;
    }
}

TEST_F(MathTablesTest, AHeldGeneratorDrawsWhatItsOwnerWouldAndIsPutBackAsItWasLeft) {
    RandomWords twinWords;
    MathTables twin;
    initMathTables(twin, twinWords);
    HeldRandom held = holdRandom(m);
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(randomFloat(held, 1280.0f), randomFloat(twin, 1280.0f));
        EXPECT_EQ(nextRandom(held), nextRandom(twin));
    }
    EXPECT_EQ(words.x, 123456789u);  // nothing reaches the owner until it is put back
    putBackRandom(m, held);
    EXPECT_EQ(nextRandom(m), nextRandom(twin));
}

TEST_F(MathTablesTest, TablesPointUpAtNinetyAndWrapAnyAngle) {
    EXPECT_FLOAT_EQ(tableSin(m, 90), -1.0f);
    EXPECT_NEAR(tableCos(m, 90), 0.0f, 1e-6);
    EXPECT_FLOAT_EQ(tableSin(m, -90), 1.0f);
    EXPECT_FLOAT_EQ(tableSin(m, 270), 1.0f);
    EXPECT_FLOAT_EQ(tableCos(m, 720), 1.0f);
    EXPECT_FLOAT_EQ(tableCos(m, -1), tableCos(m, 359));
    EXPECT_FLOAT_EQ(tableSin(m, -360), tableSin(m, 0));
    EXPECT_FLOAT_EQ(tableSin(m, -361), tableSin(m, 359));
}

uint32_t bitsOf(float f) {
    uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return bits;
}

// The table entries worked out here from pi written out bit for bit: the float nearest pi,
// 0x1.921fb6p+1 = 3.14159274101257324..., widened to double.
float expectedSin(int i, double pi) { return -1.0f * std::sin(static_cast<float>(i / 180.0 * pi)); }
float expectedCos(int i, double pi) { return std::cos(static_cast<float>(i / 180.0 * pi)); }
constexpr double kFloatPi = 0x1.921fb6p+1;
constexpr double kDecimalPi = 3.1415927;  // the double nearest the written digits, a little smaller

TEST_F(MathTablesTest, EveryTableEntryIsExactToTheBit) {
    EXPECT_EQ(bitsOf(kPi), bitsOf(static_cast<float>(kFloatPi))) << "the game's pi is the float nearest pi";
    int entriesThatDependOnPi = 0;
    for (int i = 0; i < 360; ++i) {
        EXPECT_EQ(bitsOf(m.sinTable[i]), bitsOf(expectedSin(i, kFloatPi))) << "sin " << i;
        EXPECT_EQ(bitsOf(m.cosTable[i]), bitsOf(expectedCos(i, kFloatPi))) << "cos " << i;
        if (bitsOf(expectedSin(i, kFloatPi)) != bitsOf(expectedSin(i, kDecimalPi)) ||
            bitsOf(expectedCos(i, kFloatPi)) != bitsOf(expectedCos(i, kDecimalPi)))
            ++entriesThatDependOnPi;
    }
    // The comparison can tell the two values of pi apart: many angles differ in their last bits.
    EXPECT_GT(entriesThatDependOnPi, 20);
}

TEST(AngleTo, WholeDegreeDirections) {
    EXPECT_EQ(angleTo(0, 0, 10, -10), 45);
    EXPECT_EQ(angleTo(0, 0, 0, -10), 90);
    EXPECT_EQ(angleTo(0, 0, -10, -10), 135);
    EXPECT_EQ(angleTo(0, 0, -10, 10), 225);
    EXPECT_EQ(angleTo(0, 0, 0, 10), 270);
    EXPECT_EQ(angleTo(0, 0, 10, 10), 315);
    EXPECT_EQ(angleTo(0, 0, 10, -1), 6);
    EXPECT_EQ(angleTo(0, 0, 10, 1), 354);
    EXPECT_EQ(angleTo(5, 5, 5, 5), 0);
    EXPECT_EQ(angleTo(0, 0, 10, 0), 0);
    EXPECT_EQ(angleTo(0, 0, -10, 0), 180);
}

TEST(VectorHelpers, RaiseAndLimit) {
    float vx = 0.5f, vy = 5.0f;
    raiseToMinimum(vx, vy, 2.0f);
    EXPECT_FLOAT_EQ(vx, 2.0f);
    EXPECT_FLOAT_EQ(vy, 20.0f);
    limitToMaximum(vx, vy, 8.0f);
    EXPECT_FLOAT_EQ(vx, 0.8f);
    EXPECT_FLOAT_EQ(vy, 8.0f);

    float sx = 0.001f, sy = 5.0f;  // a component this small leaves the vector alone
    raiseToMinimum(sx, sy, 2.0f);
    EXPECT_FLOAT_EQ(sx, 0.001f);
    EXPECT_FLOAT_EQ(sy, 5.0f);
}

TEST(VectorHelpers, MoveTowardStepsTheDominantAxisAndMayOvershoot) {
    float px = 0, py = 0;
    moveToward(px, py, 10, 5, 4);
    EXPECT_FLOAT_EQ(px, 4.0f);
    EXPECT_FLOAT_EQ(py, 2.0f);
    float qx = 0, qy = 0;
    moveToward(qx, qy, 1, 0, 3);
    EXPECT_FLOAT_EQ(qx, 3.0f);
}

TEST(VectorHelpers, RotateAboutTurnsCounterClockwiseOnScreen) {
    float px = 10, py = 0;
    rotateAbout(px, py, 0, 0, 90);
    EXPECT_NEAR(px, 0.0f, 1e-4);
    EXPECT_NEAR(py, -10.0f, 1e-4);  // up the screen
}

TEST(SmallHelpers, RadiusClampAndNearness) {
    EXPECT_TRUE(withinRadius(0, 0, 2.9f, 0, 3));
    EXPECT_FALSE(withinRadius(0, 0, 3, 0, 3));
    int v = -4;
    clampInt(v, 10);
    EXPECT_EQ(v, 0);
    v = 12;
    clampInt(v, 10);
    EXPECT_EQ(v, 10);
    float f = 3.5f;
    clampFloat(f, 0.5f, 2.0f);
    EXPECT_FLOAT_EQ(f, 2.0f);
    EXPECT_TRUE(nearlyEqual(5, 7));
    EXPECT_FALSE(nearlyEqual(5, 8));
    EXPECT_FLOAT_EQ(distance(0, 0, 3, 4), 5.0f);
}

}  // namespace

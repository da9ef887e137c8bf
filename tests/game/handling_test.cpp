#include <cmath>
#include <gtest/gtest.h>
#include "game.h"
#include "handling.h"
#include "headless.h"

namespace {

class HandlingTest : public ::testing::Test {
protected:
    BOAT b;
    void SetUp() override
    {
        headless_allegro();
        release_input();
        b = BOAT{};
        b.x = 1086;
        b.y = 1186;
        b.rot = -50;
        b.rotate = 1.5;
        b.maxspeed = 10.0;
        b.speedup = 0.05;
        b.slowdown = 0.08;
    }
    void TearDown() override { release_input(); }
    void frames(int n)
    {
        for (int i = 0; i < n; i++)
            handle(&b, player1_keys);
    }
};

TEST_F(HandlingTest, OneFrameWithTheKeysHeld)
{
    struct {
        const char *what;
        std::initializer_list<int> keys;
        float speed;   // xv and yv before the frame
        float want_speed, want_rot;
    } cases[] = {
        {"thrust from rest", {KEY_UP}, 0, 0.05f, -50},
        {"thrust and brake: thrust acts", {KEY_UP, KEY_DOWN}, 2, 2 + 0.05f, -50},
        {"coasting: one drag step", {}, 2, 2 - 0.08f, -50},
        {"braking: two drag steps", {KEY_DOWN}, 2, 2 - 0.08f - 0.08f, -50},
        {"brake at rest: no reverse gear", {KEY_DOWN}, 0, 0, -50},
        {"steer left", {KEY_LEFT}, 0, 0, -51.5f},
        {"steer right", {KEY_RIGHT}, 0, 0, -48.5f},
        {"both steering keys cancel", {KEY_LEFT, KEY_RIGHT}, 0, 0, -50},
        {"backwards after a bounce: thrust adds", {KEY_UP}, -7.5f, -7.5f + 0.05f, -50},
        {"backwards after a bounce: braking", {KEY_DOWN}, -7.5f, -7.5f + 0.08f + 0.08f, -50},
    };
    for (auto &c : cases) {
        SetUp();
        for (int k : c.keys)
            key[k] = 1;
        b.xv = b.yv = c.speed;
        frames(1);
        EXPECT_EQ(b.xv, c.want_speed) << c.what;
        EXPECT_EQ(b.yv, c.want_speed) << c.what;
        EXPECT_EQ(b.rot, c.want_rot) << c.what;
    }
}

TEST_F(HandlingTest, TheMoveComesFirstWithTheSpeedFound)
{
    // A boat at rest turning on the spot does not move.
    key[KEY_LEFT] = 1;
    frames(10);
    EXPECT_EQ(b.x, 1086);
    EXPECT_EQ(b.y, 1186);
    EXPECT_EQ(b.rot, -65);
    release_input();
    // One frame of thrust moves nothing; the next moves 0.05 along the heading.
    b.rot = 0;
    key[KEY_UP] = 1;
    frames(1);
    EXPECT_EQ(b.x, 1086);
    frames(1);
    EXPECT_FLOAT_EQ(b.x, 1086.05f);
    EXPECT_EQ(b.y, 1186);
}

// The heading becomes radians in double precision and each coordinate is
// summed in double before it is stored as a float.
TEST_F(HandlingTest, MoveIsDoublePrecisionStoredAsFloat)
{
    for (int i = -360; i < 360; i++) {
        b.x = 1086.37f;
        b.y = 1186.71f;
        b.rot = i * 1.5f;
        b.xv = 7.35f;
        b.yv = -3.2f;
        double theta = b.rot / 360.0 * 2 * 3.1415926535;
        float want_x = b.x + cos(theta) * b.xv;
        float want_y = b.y + sin(theta) * b.yv;
        frames(1);
        ASSERT_EQ(b.x, want_x) << "heading " << i * 1.5f;
        ASSERT_EQ(b.y, want_y) << "heading " << i * 1.5f;
    }
}

TEST_F(HandlingTest, ThrustFromRestTopsOutJustAboveMaxspeed)
{
    float sum = 0;
    for (int i = 0; i < 200; i++)
        sum += 0.05f;
    key[KEY_UP] = 1;
    frames(200);
    EXPECT_EQ(b.xv, sum);
    EXPECT_EQ(b.yv, sum);
    EXPECT_GT(b.xv, 10);
    EXPECT_LT(b.xv, 10.0001);
    frames(50);
    EXPECT_EQ(b.xv, sum) << "no longer below maxspeed: no more thrust";
}

TEST_F(HandlingTest, ThrustNeedsBothSpeedsBelowMaxspeed)
{
    key[KEY_UP] = 1;
    b.xv = 3;
    b.yv = 10;
    frames(1);
    EXPECT_EQ(b.xv, 3);
    EXPECT_EQ(b.yv, 10);
}

TEST_F(HandlingTest, DragLeavesAResidueAndNeverStopsTheBoat)
{
    float top = 0;
    for (int i = 0; i < 200; i++)
        top += 0.05f;
    struct {
        const char *what;
        int key_held;   // 0: coasting
        float start;
        int frames;
        float low, high;   // where the speed ends, and stays
    } cases[] = {
        {"coasting from top speed", 0, top, 125, 0, 0.0001f},
        {"braking from top speed", KEY_DOWN, top, 63, 0, 0.0001f},
        {"exactly slowdown is not reduced", 0, 0.08f, 1, 0.08f, 0.08f},
        {"0.1 drops to about 0.02", 0, 0.1f, 1, 0.0199f, 0.0201f},
        {"-1 coasts to about -0.04", 0, -1, 12, -0.0401f, -0.0399f},
    };
    for (auto &c : cases) {
        SetUp();
        if (c.key_held)
            key[c.key_held] = 1;
        b.xv = b.yv = c.start;
        frames(c.frames - 1);
        if (c.frames > 1) {
            EXPECT_GT(fabsf(b.xv), 0.08f) << c.what << ": still above one step a frame early";
        }
        frames(1);
        EXPECT_GE(b.xv, c.low) << c.what;
        EXPECT_LE(b.xv, c.high) << c.what;
        float end = b.xv;
        frames(20);
        EXPECT_EQ(b.xv, end) << c.what << ": and stays";
        EXPECT_EQ(b.yv, end) << c.what;
    }
}

TEST_F(HandlingTest, DragTreatsEachComponentByItself)
{
    b.xv = 0.5f;
    b.yv = -0.5f;
    drag(&b);
    EXPECT_EQ(b.xv, 0.5f - 0.08f);
    EXPECT_EQ(b.yv, -0.5f + 0.08f);
    b.xv = 0.05f;
    b.yv = 2;
    drag(&b);
    EXPECT_EQ(b.xv, 0.05f);
    EXPECT_EQ(b.yv, 2 - 0.08f);
}

TEST_F(HandlingTest, EachPlayerHasHisOwnKeys)
{
    struct {
        const keymap *keys;
        int thrust, brake, left, right;
    } maps[] = {
        {&player1_keys, KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT},
        {&player2_keys, KEY_W, KEY_S, KEY_A, KEY_D},
    };
    for (auto &m : maps) {
        SetUp();
        key[m.thrust] = key[m.left] = 1;
        handle(&b, *m.keys);
        EXPECT_EQ(b.xv, 0.05f);
        EXPECT_EQ(b.rot, -51.5f);
        release_input();
        key[m.brake] = key[m.right] = 1;
        b.xv = b.yv = 1;
        handle(&b, *m.keys);
        EXPECT_EQ(b.xv, 1 - 0.08f - 0.08f);
        EXPECT_EQ(b.rot, -50);
    }
    // The other player's keys do nothing.
    SetUp();
    key[KEY_W] = key[KEY_A] = 1;
    handle(&b, player1_keys);
    EXPECT_EQ(b.xv, 0);
    EXPECT_EQ(b.rot, -50);
}

} // namespace

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include "cpu.h"
#include "game.h"
#include "headless.h"
#include "race.h"
#include "view.h"

namespace {

TEST(CpuPath, NineSegmentsOfFiftyPoints)
{
    load_headless_game();
    calc_AI();
    EXPECT_EQ(curspl, 0);
    EXPECT_EQ(curpt, 0);
    for (int s = 0; s <= 8; s++) {
        EXPECT_EQ(xpos[50 * s], pots[s][0]) << "segment " << s;
        EXPECT_EQ(ypos[50 * s], pots[s][1]) << "segment " << s;
        // Each segment is sampled at 51 points in steps of 1/50.
        int x[51], y[51];
        calc_spline(pots[s], 51, x, y);
        for (int k = 0; k < 50; k++) {
            ASSERT_EQ(xpos[50 * s + k], x[k]) << s << ", " << k;
            ASSERT_EQ(ypos[50 * s + k], y[k]) << s << ", " << k;
        }
    }
    for (int i = 1; i < 450; i++) {
        double step = hypot(xpos[i] - xpos[i - 1], ypos[i] - ypos[i - 1]);
        EXPECT_GE(step, 1) << i;
        EXPECT_LE(step, 7) << i;
    }
    for (int i = 450; i < 2600; i++)
        ASSERT_TRUE(xpos[i] == 0 && ypos[i] == 0) << i;
    EXPECT_EQ(getAI_x(449), xpos[449]);
    EXPECT_EQ(getAI_y(449), ypos[449]);
    EXPECT_LT(hypot(xpos[449] - 246, ypos[449] - 410), 6) << "just short of row 8's end";
}

// The tests below may rewrite a few path points; the fixture puts the
// path back.
class CpuTest : public ::testing::Test {
protected:
    int saved_x[2600], saved_y[2600];
    void SetUp() override
    {
        load_headless_game();
        fresh_race(mode_carrier);
        memcpy(saved_x, xpos, sizeof xpos);
        memcpy(saved_y, ypos, sizeof ypos);
    }
    void TearDown() override
    {
        memcpy(xpos, saved_x, sizeof xpos);
        memcpy(ypos, saved_y, sizeof ypos);
        release_input();
        alfont_set_font_size(pump, 50);   // as start-up leaves it
    }
    void set_point(int i, int x, int y)
    {
        xpos[i] = x;
        ypos[i] = y;
    }
};

float degrees_of(float dx, float dy)
{
    float b = atan(dy / dx);
    return b / 6.283185307 * 360;
}

TEST_F(CpuTest, HeadingAtZeroStepsFromTheLastPoint)
{
    float h = getAI_rot(0);
    EXPECT_EQ(xres, xpos[0] - xpos[449]);
    EXPECT_EQ(yres, ypos[0] - ypos[449]);
    EXPECT_EQ(h, degrees_of(xpos[0] - xpos[449], ypos[0] - ypos[449]));
    EXPECT_GT(h, 30);
    EXPECT_LT(h, 60);
}

TEST_F(CpuTest, HeadingIsTheArcTangentOfTheSlope)
{
    struct {
        int dx, dy;
        float want;   // NAN: the previous heading stays
    } steps[] = {
        {3, 4, 53.130102f}, {-3, -4, 53.130102f}, {3, -4, -53.130102f}, {-3, 4, -53.130102f},
        {0, 5, NAN},        {5, 0, 0},            {0, 0, NAN},          {-4, 0, 0},
        {1, 100, 89.427047f},
    };
    set_point(99, 1000, 1000);
    float previous = beta;
    for (auto &s : steps) {
        set_point(100, 1000 + s.dx, 1000 + s.dy);
        float h = getAI_rot(100);
        float want = std::isnan(s.want) ? previous : s.want;
        EXPECT_NEAR(h, want, 1e-4) << s.dx << ", " << s.dy;
        EXPECT_EQ(h, beta);
        EXPECT_EQ(xres, s.dx);
        EXPECT_EQ(yres, s.dy);
        previous = h;
    }
    // At program start beta is 0: a first call with no x step returns it.
    beta = 0;
    set_point(100, 1000, 1007);
    EXPECT_EQ(getAI_rot(100), 0);
}

TEST_F(CpuTest, StepComponents)
{
    set_point(0, 500, 600);
    set_point(449, 510, 590);
    set_point(7, 20, 30);
    set_point(6, 25, 21);
    EXPECT_EQ(getAI_xres(0), -10);
    EXPECT_EQ(xres, -10);
    EXPECT_EQ(getAI_yres(0), 10);
    EXPECT_EQ(yres, 10);
    EXPECT_EQ(getAI_xres(7), -5);
    EXPECT_EQ(getAI_yres(7), 9);
}

TEST_F(CpuTest, PlacementPutsTheBoatOnThePathPoint)
{
    AI_pos = 120;
    super.x = super.y = 5;
    super.xv = 0.19f;   // not above 0.2: no drift
    place_cpu();
    EXPECT_EQ(super.x, xpos[120]);
    EXPECT_EQ(super.y, ypos[120]);
    EXPECT_EQ(super.rot, getAI_rot(120));
    EXPECT_EQ(super.xv, 0.19f);
}

TEST_F(CpuTest, KnockBackDrift)
{
    struct {
        float xv, yv;
        int frames;          // frames with drift
        float end_xv, end_yv;
    } cases[] = {
        {1, 0, 11, 0, 0},                 // 1, 0.92, ... down to 0.2000001
        {0.1f, -0.99f, 0, 0.1f, -0.99f},  // nothing exceeds 0.2: no move at all
        {0.5f, -0.5f, 4, 0, 0},           // y decays while x keeps the drift going
        {-3, -3, 0, -3, -3},              // compared as signed values
        {0, 0.3f, 2, 0, 0},
    };
    for (auto &c : cases) {
        SetUp();
        AI_pos = 30;
        super.xv = c.xv;
        super.yv = c.yv;
        float vx = c.xv, vy = c.yv;
        int drifted = 0;
        for (int f = 0; f < 20; f++) {
            place_cpu();
            bool drift = vx > 0.2 || vy > 0.2;
            float want_x = xpos[30], want_y = ypos[30];
            if (drift) {
                want_x += vx;
                want_y += vy;
                drifted++;
                // The drag of the handling step, by its four tests.
                if (vx > 0.08f)
                    vx -= 0.08f;
                if (vy > 0.08f)
                    vy -= 0.08f;
                if (vx < -0.08f)
                    vx += 0.08f;
                if (vy < -0.08f)
                    vy += 0.08f;
            }
            ASSERT_EQ(super.x, want_x) << c.xv << ", " << c.yv << " frame " << f;
            ASSERT_EQ(super.y, want_y) << c.xv << ", " << c.yv << " frame " << f;
            ASSERT_EQ(super.xv, vx);
            ASSERT_EQ(super.yv, vy);
        }
        EXPECT_EQ(drifted, c.frames) << c.xv << ", " << c.yv;
        if (c.frames == 0) {
            EXPECT_EQ(super.xv, c.end_xv);
            EXPECT_EQ(super.yv, c.end_yv);
        } else {
            EXPECT_LE(super.xv, 0.2f);
            EXPECT_LE(super.yv, 0.2f);
        }
    }
}

TEST_F(CpuTest, FirstDriftFramesOfAKnockBackOfOne)
{
    AI_pos = 30;
    super.xv = 1;
    float offsets[] = {1, 0.92f, 0.84f, 0.76f};
    for (float o : offsets) {
        place_cpu();
        EXPECT_NEAR(super.x - xpos[30], o, 1e-4);
        EXPECT_EQ(super.y, ypos[30]);
    }
}

// The CPU boat is drawn over player 1's boat, turned by its heading alone.
TEST_F(CpuTest, DrawnUnturnedAtHeadingZeroOverPlayerOne)
{
    BITMAP *real = super.bmp;
    BITMAP *sprite = create_bitmap(100, 100);
    clear_to_color(sprite, makecol32(255, 0, 255));
    putpixel(sprite, 50, 1, makecol32(1, 2, 3));   // the bow
    putpixel(sprite, 50, 50, makecol32(4, 5, 6));
    super.bmp = sprite;
    set_point(41, 1000, 1100);
    set_point(42, 1003, 1100);   // a step along +x: heading 0
    AI_pos = 42;
    boat.x = 1003;
    boat.y = 1100;
    draw_single_view();
    place_cpu();
    super.bmp = real;
    EXPECT_EQ(super.rot, 0);
    EXPECT_EQ(getpixel(mb, 512 + 50, 384 + 1), makecol32(1, 2, 3)) << "bow up";
    EXPECT_EQ(getpixel(mb, 512 + 50, 384 + 50), makecol32(4, 5, 6)) << "over player 1";
    destroy_bitmap(sprite);
}

TEST_F(CpuTest, AdvanceWrapsWithinThePathAndCountsLaps)
{
    for (int lap = 1; lap <= 4; lap++) {
        for (int f = 0; f < 150; f++) {
            int before = AI_pos;
            advance_cpu();
            ASSERT_GE(AI_pos, 0);
            ASSERT_LE(AI_pos, 449);
            if (AI_pos != 0) {
                ASSERT_EQ(AI_pos, before + 3);
            }
        }
        EXPECT_EQ(AI_pos, 0);
        EXPECT_EQ(super.round, lap);
        EXPECT_EQ(curspl, lap);
    }
}

TEST_F(CpuTest, OnlyCarrierMovesTheCpu)
{
    struct {
        int mode, step;
    } cases[] = {{mode_practice, 0}, {mode_multiplayer, 0}, {mode_carrier, 3}};
    for (auto &c : cases) {
        fresh_race(c.mode);
        AI_pos = 60;
        race_frame();
        EXPECT_EQ(AI_pos, 60 + c.step) << "mode " << c.mode;
    }
}

} // namespace

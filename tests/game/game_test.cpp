#include <gtest/gtest.h>
#include <thread>
#include "cpu.h"
#include "fake_timer.h"
#include "game.h"
#include "headless.h"
#include "race.h"

namespace {

class GameTest : public ::testing::Test {
protected:
    void SetUp() override { load_headless_game(); }
};

void expect_at_start(const BOAT &b, float x, float y, float heading)
{
    EXPECT_EQ(b.x, x);
    EXPECT_EQ(b.y, y);
    EXPECT_EQ(b.rot, heading);
    EXPECT_EQ(b.xv, 0);
    EXPECT_EQ(b.yv, 0);
    EXPECT_EQ(b.rotate, 1.5f);
    EXPECT_EQ(b.maxspeed, 10.0f);
    EXPECT_EQ(b.speedup, 0.05f);
    EXPECT_EQ(b.slowdown, 0.08f);
    EXPECT_EQ(b.round, 0);
    EXPECT_EQ(b.cp_one + b.cp_two + b.cp_three, 0);
    EXPECT_EQ(b.last_lap_min, 0);
    EXPECT_EQ(b.last_lap_sec, 0);
    EXPECT_EQ(b.best_lap_min, 99);
    EXPECT_EQ(b.best_lap_sec, 99);
    EXPECT_EQ(b.AI, 0);
}

TEST_F(GameTest, StartUpLeavesTheStartValues)
{
    set_start_values();
    expect_at_start(boat, 1086, 1186, -50);
    expect_at_start(super, 1005, 987, -75);
    EXPECT_EQ(winning_laps, 3);
    EXPECT_EQ(nlaps, 3);
    EXPECT_EQ(colb, 0);
    EXPECT_EQ(cols, 1);
    EXPECT_EQ(res, 0);
    EXPECT_EQ(depth, 16);
    EXPECT_EQ(vol, 255);
}

TEST_F(GameTest, StartUpLoadsEveryResourceAtItsSize)
{
    struct {
        BITMAP *bmp;
        int w, h;
    } pictures[] = {
        {boat.bmp, 100, 100}, {boat.bmp_rot, 100, 100}, {super.bmp, 100, 100}, {super.bmp_rot, 100, 100},
        {ostrov, 2100, 1900}, {alpha, 2100, 1900},      {menu, 1024, 768},     {mb, 1024, 768},
        {wp, 100, 100},       {bc, 100, 100},
    };
    for (auto &p : pictures) {
        ASSERT_NE(p.bmp, nullptr);
        EXPECT_EQ(p.bmp->w, p.w);
        EXPECT_EQ(p.bmp->h, p.h);
    }
    // Each boat rotates into a picture of its own.
    EXPECT_NE(boat.bmp, boat.bmp_rot);
    EXPECT_NE(super.bmp, super.bmp_rot);
    EXPECT_NE(panel, nullptr);
    EXPECT_NE(dray, nullptr);
    EXPECT_NE(spring, nullptr);
    EXPECT_NE(main_sample, nullptr);
    EXPECT_NE(pump, nullptr);
    // The path is built before anything else needs it.
    EXPECT_EQ(xpos[0], 966);
    EXPECT_EQ(ypos[0], 1086);
}

TEST_F(GameTest, BowMarkerIsTwoPixelsAheadOfTheCentreAt32Bits)
{
    ASSERT_EQ(bitmap_color_depth(wp), 32);
    ASSERT_EQ(bitmap_color_depth(bc), 32);
    ASSERT_EQ(bitmap_color_depth(alpha), 32);
    for (int x = 0; x < 100; x++)
        for (int y = 0; y < 100; y++) {
            bool marker = y == 50 && (x == 96 || x == 97);
            EXPECT_EQ(getr32(getpixel(wp, x, y)) == 254, marker) << x << "," << y;
        }
}

TEST_F(GameTest, BlueBoatIsMadeFromTheRedOneKeepingMagenta)
{
    BITMAP *red = boat_pics[0], *blue = boat_pics[2];
    EXPECT_EQ(boat_pics[1], super.bmp);
    int magenta = makecol(255, 0, 255);
    int reddish = 0;
    for (int x = 0; x < 100; x++)
        for (int y = 0; y < 100; y++) {
            int r = getpixel(red, x, y), b = getpixel(blue, x, y);
            ASSERT_EQ(r == magenta, b == magenta);
            if (r != magenta && getr(r) > getb(r)) {
                reddish++;
                EXPECT_GT(getb(b), getr(b));
            }
        }
    EXPECT_GT(reddish, 0);
}

TEST(Clock, CountsSecondsIntoMinutesNeverShowingSixty)
{
    reset_clock();
    advance_clock(58);
    clock_time t = read_clock();
    EXPECT_EQ(t.min, 0);
    EXPECT_EQ(t.sec, 58);
    mooove_time();
    EXPECT_EQ(read_clock().sec, 59);
    mooove_time();
    t = read_clock();
    EXPECT_EQ(t.min, 1);
    EXPECT_EQ(t.sec, 0);
    EXPECT_EQ(global_sec.load(), 0);
    for (int i = 0; i < 3600; i++) {
        mooove_time();
        ASSERT_LT(global_sec.load(), 60);
    }
    EXPECT_EQ(read_clock().min, 61);
}

// A reader racing the tick never sees a torn pair: after 59 seconds the
// only pairs there can be are 0:59 and 1:00, never 0:00 or 1:59.
TEST(Clock, ReadersTakeMinutesAndSecondsAsOnePair)
{
    for (int round = 0; round < 200; round++) {
        reset_clock();
        advance_clock(59);
        std::thread tick([] { mooove_time(); });
        for (int i = 0; i < 1000; i++) {
            clock_time t = read_clock();
            ASSERT_TRUE((t.min == 0 && t.sec == 59) || (t.min == 1 && t.sec == 0)) << t.min << ":" << t.sec;
        }
        tick.join();
    }
}

TEST_F(GameTest, EveryModeChoiceStartsAFreshRace)
{
    // A race that finished: laps, flags, times, the CPU's place, the clock.
    fresh_race(mode_carrier);
    boat.x = 300;
    boat.round = 3;
    boat.cp_two = 1;
    boat.best_lap_min = 0;
    boat.best_lap_sec = 40;
    super.round = 2;
    super.xv = 0.9f;
    AI_pos = 120;
    advance_clock(75);
    nlaps = 5;
    fresh_race(mode_practice);
    expect_at_start(boat, 1086, 1186, -50);
    expect_at_start(super, 1005, 987, -75);
    EXPECT_EQ(AI_pos, 0);
    EXPECT_EQ(read_clock().min, 0);
    EXPECT_EQ(read_clock().sec, 0);
    EXPECT_EQ(winning_laps, 5);
    nlaps = 3;
}

TEST_F(GameTest, ChoosingAModeInstallsTheClockAndRunsTheRace)
{
    fresh_race(mode_practice);
    int installs = clock_installs;
    key[KEY_ESC] = 1;   // the first frame goes straight to the exit screen
    EXPECT_EQ(start_race(mode_carrier), race_to_exit);
    EXPECT_EQ(game_mode, mode_carrier);
    EXPECT_EQ(clock_installs, installs + 1);
    release_input();
}

} // namespace

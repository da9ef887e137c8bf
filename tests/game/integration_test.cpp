// Whole races on the real island, driven only through the keys, the way a
// player drives.
#include <cmath>
#include <gtest/gtest.h>
#include <vector>
#include "autopilot.h"
#include "cpu.h"
#include "fake_timer.h"
#include "game.h"
#include "handling.h"
#include "headless.h"
#include "race.h"
#include "view.h"

namespace {

class Integration : public ::testing::Test {
protected:
    std::vector<point> line = centre_line();
    long frames = 0;
    void SetUp() override { load_headless_game(); }
    void TearDown() override
    {
        release_input();
        alfont_set_font_size(pump, 50);   // as start-up leaves it
    }
    // One frame; the clock ticks once every 60 frames, as at 60 frames a second.
    race_exit frame()
    {
        race_exit e = race_frame();
        if (++frames % 60 == 0)
            mooove_time();
        return e;
    }
};


TEST_F(Integration, PracticeThreeLapsRoundTheIslandThenTheTotalTime)
{
    fresh_race(mode_practice);
    autopilot p1{line, &boat, player1_keys};
    int bounces = 0, laps_seen = 0;
    race_exit e = race_goes_on;
    clock_time at_end{};
    while (e == race_goes_on && frames < 20000) {
        p1.drive();
        float xv = boat.xv;
        at_end = read_clock();
        e = frame();
        if ((xv > 0) != (boat.xv > 0) && std::fabs(xv) > 0.5f)
            bounces++;
        if (boat.round != laps_seen) {
            laps_seen = boat.round;
            // A lap is the whole loop, one figure-eight.
            EXPECT_NEAR(p1.walked, laps_seen * (long)line.size(), 400) << "lap " << laps_seen;
            EXPECT_EQ(boat.cp_one + boat.cp_two + boat.cp_three, 0);
        }
        ASSERT_LT(std::hypot(boat.x + 50 - p1.ahead(0).x, boat.y + 50 - p1.ahead(0).y), 150)
            << "off the course at " << boat.x << ", " << boat.y << " frame " << frames;
    }
    ASSERT_EQ(e, race_to_menus) << "stuck at " << boat.x << ", " << boat.y << " after " << frames << " frames";
    EXPECT_EQ(boat.round, 3);
    EXPECT_LE(bounces, 3) << "the autopilot keeps off the land";
    // Lap times add up to the clock, within a second per lap of rounding.
    int best = boat.best_lap_min * 60 + boat.best_lap_sec;
    int last = boat.last_lap_min * 60 + boat.last_lap_sec;
    EXPECT_GT(best, 0);
    EXPECT_LE(best, last);
    EXPECT_LE(best * 3, at_end.min * 60 + at_end.sec + 1);
    EXPECT_EQ(at_end.min * 60 + at_end.sec, (frames - 1) / 60);
    // The total-time screen with the clock as it read in the last frame.
    char text[80];
    snprintf(text, sizeof text, "your total time in 3 lasp is %d:%d", at_end.min, at_end.sec);
    BITMAP *want = create_bitmap(1024, 768);
    clear_to_color(want, 0);
    alfont_set_font_size(pump, 70);
    alfont_textout_centre_aa(want, pump, text, 512, 384, white);
    EXPECT_TRUE(same_picture(want, screen)) << text;
    destroy_bitmap(want);
}

TEST_F(Integration, CarrierTheCpuWinsItsThreeLaps)
{
    fresh_race(mode_carrier);
    autopilot p1{line, &boat, player1_keys};
    BITMAP *winner = create_bitmap(1024, 768);
    clear_to_color(winner, 0);
    alfont_set_font_size(pump, 75);
    alfont_textout_centre_aa(winner, pump, "The winner is...!", 512, 384, white);
    alfont_set_font_size(pump, 80);
    alfont_textout_centre_aa(winner, pump, "Player no.2", 512, 434, white);
    bool cpu_seen = false;
    for (int f = 1; f <= 450; f++) {
        p1.drive();
        ASSERT_EQ(frame(), race_goes_on);
        ASSERT_GE(AI_pos, 0);
        ASSERT_LE(AI_pos, 449);
        // The CPU boat is drawn into player 1's view while it is inside it.
        int sx = (int)(super.x - camleft1) + 50, sy = (int)(super.y - camup1) + 50;
        if (f < 450 && sx > 0 && sx < 1024 && sy > 120 && sy < 768)
            cpu_seen = cpu_seen || getpixel(mb, sx, sy) == getpixel(super.bmp, 50, 50);
        EXPECT_EQ(super.round, f / 150) << "frame " << f;
        if (f < 450) {
            ASSERT_FALSE(same_picture(winner, screen)) << "frame " << f;
        }
    }
    EXPECT_TRUE(cpu_seen);
    EXPECT_LT(boat.round, 3);
    EXPECT_TRUE(same_picture(winner, screen));
    // The winner screen stays, frame after frame, until Escape.
    for (int f = 0; f < 30; f++)
        ASSERT_EQ(frame(), race_goes_on);
    EXPECT_TRUE(same_picture(winner, screen));
    press_escape_on_wait = true;
    EXPECT_EQ(frame(), race_to_menus);
    press_escape_on_wait = false;
    destroy_bitmap(winner);
}

TEST_F(Integration, MultiplayerContactSwapsTheBoatsMotion)
{
    fresh_race(mode_multiplayer);
    autopilot p1{line, &boat, player1_keys};
    autopilot p2{line, &super, player2_keys};
    bool contact = false;
    while (!contact && frames < 600) {
        // Player 1 races along the course; player 2 turns round and heads
        // for player 1.  Close to contact both let go of every key, so the
        // frame's handling only moves and drags them.
        double gap = std::hypot(boat.x - super.x, boat.y - super.y);
        p1.drive();
        p2.find_place();
        p2.steer_at(p2.heading_to({boat.x + 50.0, boat.y + 50.0}), 4);
        if (gap < 115)
            release_input();
        BOAT b = boat, s = super;
        drag(&b);
        drag(&s);
        ASSERT_EQ(frame(), race_goes_on);
        float dx = boat.x - super.x, dy = boat.y - super.y;
        if ((int)(dx * dx) + (int)(dy * dy) <= 8100) {
            contact = true;
            ASSERT_LT(gap, 115) << "contact came before the keys were let go";
            EXPECT_EQ(boat.rot, s.rot);
            EXPECT_EQ(super.rot, b.rot);
            EXPECT_EQ(boat.xv, s.xv);
            EXPECT_EQ(boat.yv, s.yv);
            EXPECT_EQ(super.xv, b.xv);
            EXPECT_EQ(super.yv, b.yv);
            EXPECT_NE(boat.rot, super.rot);
        }
    }
    EXPECT_TRUE(contact) << "the boats never met";
}

} // namespace

#include <gtest/gtest.h>
#include "cpu.h"
#include "fake_timer.h"
#include "game.h"
#include "headless.h"
#include "menu.h"
#include "race.h"
#include "track.h"
#include "view.h"

namespace {

class RaceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        load_headless_game();
        fresh_race(mode_practice);
        clear_to_color(screen, makecol(1, 2, 3));
    }
    void TearDown() override { release_input(); }
};


// The screen a winner screen leaves: black with its two centred lines.
BITMAP *winner_picture(const char *player)
{
    BITMAP *b = create_bitmap(1024, 768);
    clear_to_color(b, 0);
    alfont_set_font_size(pump, 75);
    alfont_textout_centre_aa(b, pump, "The winner is...!", 512, 384, white);
    alfont_set_font_size(pump, 80);
    alfont_textout_centre_aa(b, pump, player, 512, 434, white);
    return b;
}

TEST_F(RaceTest, EscapeAtTheHeadOfAFrameLeavesBeforeAnythingMoves)
{
    boat.xv = boat.yv = 5;
    key[KEY_ESC] = 1;
    int waited = frames_waited;
    EXPECT_EQ(race_frame(), race_to_exit);
    EXPECT_EQ(boat.x, 1086);
    EXPECT_EQ(frames_waited, waited);
    EXPECT_EQ(getpixel(screen, 0, 0), makecol(1, 2, 3));
}

TEST_F(RaceTest, AFrameComposesTheBackBufferAndCopiesItToTheScreen)
{
    int waited = frames_waited;
    EXPECT_EQ(race_frame(), race_goes_on);
    EXPECT_EQ(frames_waited, waited + 1);
    EXPECT_TRUE(same_picture(mb, screen));
}

// What the frame order settles, seen in its effects.
TEST_F(RaceTest, ProbeActsBeforeTheMoveAndTheViewFollowsTheMove)
{
    // Bow on land: the bounce reverses the speed before this frame's move.
    bow_offset(boat.rot);
    boat.x = 5 - gx;
    boat.y = 5 - gy;
    ASSERT_EQ(getr32(getpixel(alpha, 5, 5)), 0) << "the mask's corner is land";
    boat.xv = boat.yv = 4;
    float x0 = boat.x;
    race_frame();
    EXPECT_FLOAT_EQ(boat.xv, -3 + 0.08f) << "bounced, then one drag step";
    EXPECT_LT(boat.x, x0) << "heading -50 moves +x; the bounce sent it back in the same frame";
    EXPECT_EQ(camleft1, 0);
}

TEST_F(RaceTest, TheEndTestSeesALapCompletedInTheSameFrame)
{
    boat.cp_one = boat.cp_two = boat.cp_three = 1;
    winning_laps = 1;
    // Put the bow on the finish line.
    bool found = false;
    bow_offset(boat.rot);
    for (int y = 0; y < alpha->h && !found; y++)
        for (int x = 0; x < alpha->w && !found; x++)
            if (getr32(getpixel(alpha, x, y)) == mask_finish) {
                boat.x = x - gx;
                boat.y = y - gy;
                found = true;
            }
    ASSERT_TRUE(found);
    EXPECT_EQ(race_frame(), race_to_menus);
    EXPECT_EQ(boat.round, 1);
}

TEST_F(RaceTest, PracticeEndsInTheFrameOfTheLastLapWithTheTotalTime)
{
    // 1 minute 5 seconds on the clock: the seconds show one digit.
    advance_clock(65);
    boat.round = 3;
    int paused = paused_ms;
    EXPECT_EQ(race_frame(), race_to_menus);
    EXPECT_EQ(paused_ms, paused + 2500);
    BITMAP *want = create_bitmap(1024, 768);
    clear_to_color(want, 0);
    alfont_set_font_size(pump, 70);
    alfont_textout_centre_aa(want, pump, "your total time in 3 lasp is 1:5", 512, 384, white);
    EXPECT_TRUE(same_picture(want, screen));
    destroy_bitmap(want);
}

TEST_F(RaceTest, PracticeIgnoresTheOpponentsLaps)
{
    super.round = 3;
    EXPECT_EQ(race_frame(), race_goes_on);
}

TEST_F(RaceTest, WinnerScreensFollowTheLapCounts)
{
    struct {
        int mode, boat_round, super_round;
        const char *shown;   // nullptr: the race view
    } cases[] = {
        {mode_carrier, 3, 0, "Player no.1"},
        {mode_multiplayer, 0, 3, "Player no.2"},
        {mode_multiplayer, 3, 3, "Player no.2"},   // both at once: the opponent's stays
        {mode_multiplayer, 4, 0, nullptr},          // a fourth lap brings the race back
        {mode_carrier, 2, 0, nullptr},
    };
    for (auto &c : cases) {
        fresh_race(c.mode);
        boat.round = c.boat_round;
        super.round = c.super_round;
        AI_pos = 3;   // keep the CPU from lapping in this frame
        EXPECT_EQ(race_frame(), race_goes_on);
        if (c.shown) {
            BITMAP *want = winner_picture(c.shown);
            EXPECT_TRUE(same_picture(want, screen)) << c.shown;
            destroy_bitmap(want);
        } else {
            EXPECT_NE(getpixel(screen, 100, 300), 0) << "the race view";
        }
    }
}

TEST_F(RaceTest, EscapeUnderAWinnerScreenReturnsToTheMenus)
{
    fresh_race(mode_carrier);
    boat.round = 3;
    AI_pos = 3;
    EXPECT_EQ(race_frame(), race_goes_on);
    // Escape goes down during the frame's wait: the winner screen meets it.
    press_escape_on_wait = true;
    EXPECT_EQ(race_frame(), race_to_menus);
    press_escape_on_wait = false;
    // Down at the head of the next frame: the exit screen.
    EXPECT_EQ(race_frame(), race_to_exit);
}

// The system's request to end (SIGTERM, SIGINT) leaves the race and the
// menus for the exit screen, as Escape and "Exit" do.
TEST_F(RaceTest, AQuitRequestLeavesForTheExitScreen)
{
    quit_requested = 1;
    EXPECT_EQ(race_frame(), race_to_exit);
    EXPECT_EQ(run_menus(), menu_exit);
    quit_requested = 0;
}

} // namespace

#include <cmath>
#include <gtest/gtest.h>
#include "cpu.h"
#include "game.h"
#include "headless.h"
#include "track.h"

namespace {

TEST(BowOffset, LastMarkerPixelOfTheTurnedTemplate)
{
    load_headless_game();
    struct {
        float heading;
        int x, y;
    } cases[] = {
        {0, 97, 50}, {90, 50, 97}, {180, 4, 50}, {-90, 50, 4}, {-50, 81, 14}, {360, 97, 50}, {-410, 81, 14},
    };
    for (auto &c : cases) {
        bow_offset(c.heading);
        EXPECT_EQ(gx, c.x) << "heading " << c.heading;
        EXPECT_EQ(gy, c.y) << "heading " << c.heading;
    }
}

// The probes read a small scratch mask of open water with single code
// pixels painted where a test wants them.
class TrackTest : public ::testing::Test {
protected:
    BITMAP *real_alpha;
    void SetUp() override
    {
        load_headless_game();
        real_alpha = alpha;
        alpha = create_bitmap_ex(32, 400, 400);
        clear_to_color(alpha, makecol32(255, 255, 255));
        start_boats();
    }
    // A fresh race with both boats where their bows read (197, 150).
    void start_boats()
    {
        fresh_race(mode_practice);
        for (BOAT *b : {&boat, &super}) {
            b->x = 100;
            b->y = 100;
            b->rot = 0;
        }
    }
    void TearDown() override
    {
        destroy_bitmap(alpha);
        alpha = real_alpha;
        release_input();
    }
    // Green and blue carry no meaning; only the red code counts.
    void paint(int x, int y, int red) { putpixel(alpha, x, y, makecol32(red, 77, 33)); }
    void probe_on(BOAT *b, int red)
    {
        paint(197, 150, red);
        probe(b);
    }
    void set_flags(BOAT *b, int one, int two, int three)
    {
        b->cp_one = one;
        b->cp_two = two;
        b->cp_three = three;
    }
};

TEST_F(TrackTest, TheProbeReadsTheMaskUnderTheBowOnly)
{
    // At heading 0 a boat at (100, 100) reads the mask at (197, 150).
    paint(196, 150, mask_land);
    paint(197, 149, mask_land);
    boat.xv = boat.yv = 4;
    probe(&boat);
    EXPECT_EQ(boat.xv, 4);
    paint(197, 150, mask_land);
    probe(&boat);
    EXPECT_EQ(boat.xv, -3);
    // The sum is formed in floating point, then truncated toward zero.
    boat.x = 99.6f;
    boat.y = 99.6f;
    boat.xv = boat.yv = 4;
    paint(196, 149, mask_land);
    probe(&boat);
    EXPECT_EQ(boat.xv, -3) << "97 + 99.6 reads column 196";
}

TEST_F(TrackTest, LandBouncesEveryFrameTheBowStaysOnIt)
{
    boat.xv = 8;
    boat.yv = -2;
    probe_on(&boat, mask_land);
    EXPECT_EQ(boat.xv, -6);
    EXPECT_EQ(boat.yv, 1.5f);
    probe(&boat);
    EXPECT_EQ(boat.xv, 4.5f);
    EXPECT_EQ(boat.yv, -1.125f);
}

TEST_F(TrackTest, OffTheMaskIsOpenWater)
{
    boat.x = -500;
    boat.xv = boat.yv = 4;
    probe(&boat);
    boat.x = 5000;
    probe(&boat);
    EXPECT_EQ(boat.xv, 4);
    EXPECT_EQ(boat.cp_one + boat.cp_two + boat.cp_three + boat.round, 0);
}

TEST_F(TrackTest, CodesSetTheirFlagsAndOtherRedsAreWater)
{
    struct {
        int red;
        int one, two, three;
    } cases[] = {
        {64, 1, 0, 0}, {128, 0, 1, 0}, {32, 0, 0, 1}, {192, 0, 0, 0},
        {1, 0, 0, 0},  {63, 0, 0, 0},  {65, 0, 0, 0}, {255, 0, 0, 0},
    };
    for (auto &c : cases) {
        start_boats();
        boat.xv = boat.yv = 4;
        probe_on(&boat, c.red);
        EXPECT_EQ(boat.cp_one, c.one) << "red " << c.red;
        EXPECT_EQ(boat.cp_two, c.two) << "red " << c.red;
        EXPECT_EQ(boat.cp_three, c.three) << "red " << c.red;
        EXPECT_EQ(boat.xv, 4) << "red " << c.red;
        EXPECT_EQ(boat.round, 0) << "red " << c.red;
    }
}

TEST_F(TrackTest, TheFinishLineNeedsAllThreeFlags)
{
    int partial[][3] = {{0, 1, 1}, {1, 0, 1}, {1, 1, 0}, {0, 0, 0}};
    for (auto &f : partial) {
        set_flags(&boat, f[0], f[1], f[2]);
        probe_on(&boat, mask_finish);
        EXPECT_EQ(boat.round, 0);
        EXPECT_EQ(boat.cp_one, f[0]) << "the flags stay as they were";
        EXPECT_EQ(boat.cp_two, f[1]);
        EXPECT_EQ(boat.cp_three, f[2]);
    }
}

TEST_F(TrackTest, CheckpointsInAnyOrderAndOneLapWhileStayingOnTheFinish)
{
    for (int red : {mask_cp_three, mask_cp_one, mask_cp_one, mask_cp_two})
        probe_on(&boat, red);
    probe_on(&boat, mask_finish);
    EXPECT_EQ(boat.round, 1);
    EXPECT_EQ(boat.cp_one + boat.cp_two + boat.cp_three, 0) << "cleared at once";
    for (int i = 0; i < 5; i++)
        probe(&boat);
    EXPECT_EQ(boat.round, 1);
}

TEST_F(TrackTest, LapTimesFromTheRaceClock)
{
    // A lap that began at 0:50 and ends at 1:20 took 0:30: a minute is
    // borrowed.  The first lap replaces the best of 99:99.
    advance_clock(50);
    set_flags(&boat, 1, 1, 1);
    probe_on(&boat, mask_finish);
    EXPECT_EQ(boat.last_lap_min, 0);
    EXPECT_EQ(boat.last_lap_sec, 50);
    EXPECT_EQ(boat.best_lap_min, 0);
    EXPECT_EQ(boat.best_lap_sec, 50);
    advance_clock(30);
    set_flags(&boat, 1, 1, 1);
    probe(&boat);
    EXPECT_EQ(boat.last_lap_min, 0);
    EXPECT_EQ(boat.last_lap_sec, 30);
    EXPECT_EQ(boat.best_lap_sec, 30);
    // A slower lap keeps the best.
    advance_clock(65);
    set_flags(&boat, 1, 1, 1);
    probe(&boat);
    EXPECT_EQ(boat.last_lap_min, 1);
    EXPECT_EQ(boat.last_lap_sec, 5);
    EXPECT_EQ(boat.best_lap_min, 0);
    EXPECT_EQ(boat.best_lap_sec, 30);
    EXPECT_EQ(boat.round, 3);
}

TEST_F(TrackTest, ALapAsLongAsTheBestKeepsTheBest)
{
    // 99:99 stands for 6039 seconds; a lap of 100:39 is as long.
    advance_clock(6039);
    set_flags(&boat, 1, 1, 1);
    probe_on(&boat, mask_finish);
    EXPECT_EQ(boat.last_lap_min, 100);
    EXPECT_EQ(boat.last_lap_sec, 39);
    EXPECT_EQ(boat.best_lap_min, 99);
    EXPECT_EQ(boat.best_lap_sec, 99);
    advance_clock(6038);
    set_flags(&boat, 1, 1, 1);
    probe(&boat);
    EXPECT_EQ(boat.best_lap_min, 100);
    EXPECT_EQ(boat.best_lap_sec, 38);
}

TEST_F(TrackTest, EachBoatTimesItsOwnLaps)
{
    advance_clock(30);
    set_flags(&boat, 1, 1, 1);
    probe_on(&boat, mask_finish);
    advance_clock(15);
    set_flags(&super, 1, 1, 1);
    probe(&super);
    EXPECT_EQ(super.last_lap_sec, 45) << "player 2's lap began at 0:0";
    EXPECT_EQ(super.round, 1);
    advance_clock(15);
    set_flags(&boat, 1, 1, 1);
    probe(&boat);
    EXPECT_EQ(boat.last_lap_sec, 30) << "player 1's second lap began at 0:30";
    EXPECT_EQ(boat.round, 2);
}

// Contact: the boats' top-left corners are compared.
class ContactTest : public TrackTest {
protected:
    void place(float dx, float dy)
    {
        boat.x = 500 + dx;
        boat.y = 600 + dy;
        super.x = 500;
        super.y = 600;
    }
    void set_motion(BOAT *b, float rot, float xv, float yv)
    {
        b->rot = rot;
        b->xv = xv;
        b->yv = yv;
    }
};

TEST_F(ContactTest, WithinNinetyPixelsByTruncatedSquares)
{
    struct {
        float dx, dy;
        bool contact;
    } cases[] = {
        {90, 0, true},
        {0, -90, true},
        {-91, 0, false},
        {90.004f, 0, true},   // 8100.7 truncates to 8100
        {sqrtf(4050.6f), sqrtf(4050.6f), true},   // 4050 + 4050; the sum untruncated is 8101.2
        {63.7f, 63.7f, false},
        {3000, 3000, false},
        {50000, 0, false},   // a square beyond any int
        {-1e6f, -1e6f, false},
    };
    game_mode = mode_multiplayer;
    for (auto &c : cases) {
        place(c.dx, c.dy);
        set_motion(&boat, 10, 1, 2);
        set_motion(&super, 20, 3, 4);
        test_contact();
        EXPECT_EQ(boat.rot, c.contact ? 20 : 10) << c.dx << ", " << c.dy;
    }
}

TEST_F(ContactTest, MultiplayerSwapsTheMotionEveryFrameOfContact)
{
    game_mode = mode_multiplayer;
    place(30, 40);
    set_motion(&boat, -50, 7, 6.5f);
    set_motion(&super, 120, -2, -3);
    test_contact();
    EXPECT_EQ(boat.rot, 120);
    EXPECT_EQ(boat.xv, -2);
    EXPECT_EQ(boat.yv, -3);
    EXPECT_EQ(super.rot, -50);
    EXPECT_EQ(super.xv, 7);
    EXPECT_EQ(super.yv, 6.5f);
    test_contact();
    EXPECT_EQ(boat.rot, -50) << "and back in the next frame";
    EXPECT_EQ(super.rot, 120);
    EXPECT_EQ(boat.x, 530) << "positions are not touched";
}

TEST_F(ContactTest, CarrierTurnsThePlayerToThePathAndKnocksTheCpuBack)
{
    game_mode = mode_carrier;
    for (int pos : {0, 60, 200, 447}) {
        AI_pos = pos;
        float h = getAI_rot(pos);
        place(10, 10);
        set_motion(&boat, 33, 9, 9);
        set_motion(&super, 0, 0, 0);
        test_contact();
        EXPECT_EQ(boat.rot, h);
        EXPECT_EQ(boat.xv, (float)(5 * cos(h / 360.0 * 2 * 3.1415926535))) << pos;
        EXPECT_EQ(boat.yv, (float)(5 * sin(h / 360.0 * 2 * 3.1415926535))) << pos;
        // The CPU's pi is 3.14.
        EXPECT_EQ(super.xv, (float)cos(h / 360.0 * 2 * 3.14)) << pos;
        EXPECT_EQ(super.yv, (float)sin(h / 360.0 * 2 * 3.14)) << pos;
        EXPECT_NE(super.yv, (float)sin(h / 360.0 * 2 * 3.1415926535)) << pos;
        EXPECT_EQ(super.rot, 0) << "the CPU's heading comes from its placement";
        EXPECT_EQ(AI_pos, pos);
    }
}

TEST_F(ContactTest, PracticeOnlyPlaysTheSound)
{
    game_mode = mode_practice;
    place(0, 0);
    set_motion(&boat, 10, 1, 2);
    set_motion(&super, 20, 3, 4);
    test_contact();
    EXPECT_EQ(boat.rot, 10);
    EXPECT_EQ(boat.xv, 1);
    EXPECT_EQ(super.rot, 20);
    EXPECT_EQ(super.yv, 4);
}

} // namespace

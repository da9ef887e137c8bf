#include <cstdlib>
#include <gtest/gtest.h>
#include "game.h"
#include "headless.h"
#include "view.h"

namespace {

const int magenta = makecol32(255, 0, 255);

// Boats drawn from test sprites: magenta with one marker pixel, so where
// the marker lands tells where and how the sprite was drawn.
class ViewTest : public ::testing::Test {
protected:
    BITMAP *real_bmp[2];
    BITMAP *sprite[2];
    int mark[2] = {makecol32(10, 200, 30), makecol32(30, 10, 200)};
    void SetUp() override
    {
        load_headless_game();
        fresh_race(mode_practice);
        BOAT *boats[2] = {&boat, &super};
        for (int i = 0; i < 2; i++) {
            real_bmp[i] = boats[i]->bmp;
            sprite[i] = create_bitmap(100, 100);
            clear_to_color(sprite[i], magenta);
            boats[i]->bmp = sprite[i];
        }
    }
    void TearDown() override
    {
        boat.bmp = real_bmp[0];
        super.bmp = real_bmp[1];
        destroy_bitmap(sprite[0]);
        destroy_bitmap(sprite[1]);
    }
    void put_marker(int who, int x, int y) { putpixel(sprite[who], x, y, mark[who]); }
    // The marker is exactly at (x, y): not one pixel up or to the left.
    void expect_marker(int who, int x, int y, const char *what)
    {
        EXPECT_EQ(getpixel(mb, x, y), mark[who]) << what << " at " << x << ", " << y;
        EXPECT_NE(getpixel(mb, x - 1, y), mark[who]) << what;
        EXPECT_NE(getpixel(mb, x, y - 1), mark[who]) << what;
    }
};

TEST_F(ViewTest, SingleViewCameraAndSprite)
{
    struct {
        float x, y;
        int left, up;       // camera
        int sx, sy;         // sprite's top-left corner in the buffer
    } cases[] = {
        {1086, 1186, 574, 802, 512, 384},   // player 1's start
        {99.5f, 50.5f, 0, 0, 99, 50},
        {2050, 1850, 1076, 1132, 974, 718},  // clipped at the buffer's corner
        {511.5f, 383.5f, 0, 0, 511, 383},    // -0.5 truncates to 0
        {1300.9f, 700.9f, 788, 316, 512, 384},
        {-10.5f, -20.5f, 0, 0, -10, -20},    // truncated toward zero, not floored
    };
    // Heading -90 turns the sprite by 0: an exact copy.
    put_marker(0, 20, 30);
    for (auto &c : cases) {
        boat.x = c.x;
        boat.y = c.y;
        boat.rot = -90;
        draw_single_view();
        EXPECT_EQ(camleft1, c.left) << c.x << ", " << c.y;
        EXPECT_EQ(camup1, c.up) << c.x << ", " << c.y;
        expect_marker(0, c.sx + 20, c.sy + 30, "player 1's sprite");
        // The island window fills the buffer.
        EXPECT_EQ(getpixel(mb, 1023, 0), getpixel(ostrov, c.left + 1023, c.up));
        EXPECT_EQ(getpixel(mb, 0, 767), getpixel(ostrov, c.left, c.up + 767));
    }
}

TEST_F(ViewTest, BoatsAreTurnedByHeadingPlusNinety)
{
    // The sprite's bow, top middle, is drawn to the right at heading 0 and
    // down at heading 90.
    put_marker(0, 50, 1);
    struct {
        float heading;
        int bx, by;   // the bow in the sprite as drawn
    } cases[] = {{0, 99, 50}, {90, 50, 99}, {-90, 50, 1}, {-450, 50, 1}};
    for (auto &c : cases) {
        boat.rot = c.heading;
        draw_single_view();
        expect_marker(0, 512 + c.bx, 384 + c.by, "bow");
    }
}

TEST_F(ViewTest, SplitViewsShowOneComposedWorld)
{
    put_marker(0, 50, 50);
    put_marker(1, 50, 50);
    draw_split_views();
    EXPECT_EQ(camleft1, 830);
    EXPECT_EQ(camup1, 802);
    EXPECT_EQ(camleft2, 749);
    EXPECT_EQ(camup2, 603);
    expect_marker(0, 256 + 50, 384 + 50, "player 1 in the left view");
    expect_marker(1, 768 + 50, 384 + 50, "player 2 in the right view");
    // Each view shows the other boat where it lies in the world.
    expect_marker(1, 1005 + 50 - 830, 987 + 50 - 802, "player 2 in the left view");
    expect_marker(0, 512 + 1086 + 50 - 749, 1186 + 50 - 603, "player 1 in the right view");
    EXPECT_EQ(getpixel(mb, 0, 0), getpixel(ostrov, 830, 802));
    EXPECT_EQ(getpixel(mb, 511, 767), getpixel(ostrov, 830 + 511, 802 + 767));
    EXPECT_EQ(getpixel(mb, 513, 0), getpixel(ostrov, 749 + 1, 603));
    EXPECT_EQ(getpixel(mb, 1023, 767), getpixel(ostrov, 749 + 511, 603 + 767));
}

TEST_F(ViewTest, SplitViewPlayerTwoIsDrawnOverPlayerOne)
{
    put_marker(0, 50, 50);
    put_marker(1, 50, 50);
    super.x = boat.x;
    super.y = boat.y;
    draw_split_views();
    EXPECT_EQ(getpixel(mb, 256 + 50, 384 + 50), mark[1]);
}

TEST_F(ViewTest, SplitViewCamerasClampToTheirHalfWidth)
{
    boat.x = 2050;
    boat.y = 100;
    super.x = 100;
    super.y = 1850;
    draw_split_views();
    EXPECT_EQ(camleft1, 1588);
    EXPECT_EQ(camup1, 0);
    EXPECT_EQ(camleft2, 0);
    EXPECT_EQ(camup2, 1132);
}

TEST_F(ViewTest, DividerIsARandomRedBelowFullAcrossTheWholeHeight)
{
    // A seed whose first number would give a red of 255 if taken modulo 256.
    unsigned seed = 1;
    for (;; seed++) {
        srand(seed);
        if (rand() % 256 == 255)
            break;
    }
    srand(seed);
    int r = rand() % 255;
    srand(seed);
    draw_split_views();
    for (int y = 0; y < 768; y++)
        ASSERT_EQ(getpixel(mb, 512, y), makecol32(r, 0, 0)) << "row " << y;
    EXPECT_NE(getpixel(mb, 511, 300), makecol32(r, 0, 0));
    EXPECT_NE(getpixel(mb, 513, 300), makecol32(r, 0, 0));
}

} // namespace

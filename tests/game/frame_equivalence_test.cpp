// The drawing shortcuts show exactly what the straightforward way of
// drawing shows: the split views composed from two windows instead of a
// whole world picture, and rotation reading and writing 32-bit pixels
// directly instead of through Allegro's checked calls.
#include <cstdlib>
#include <gtest/gtest.h>
#include "game.h"
#include "headless.h"
#include "rotate.h"
#include "view.h"

namespace {

class FrameEquivalenceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        load_headless_game();
        fresh_race(mode_multiplayer);
    }
};

// The split views the plain way: the whole island and both boats composed
// into one world picture, both windows cut from it, then the divider.
void straightforward_split_views(BITMAP *world, BITMAP *out, int divider_red)
{
    blit(ostrov, world, 0, 0, 0, 0, 2100, 1900);
    draw_boat(&boat, world, (int)boat.x, (int)boat.y, boat.rot + 90);
    draw_boat(&super, world, (int)super.x, (int)super.y, super.rot + 90);
    blit(world, out, camleft1, camup1, 0, 0, 512, 768);
    blit(world, out, camleft2, camup2, 512, 0, 512, 768);
    vline(out, 512, 0, 768, makecol(divider_red, 0, 0));
}

TEST_F(FrameEquivalenceTest, SplitViewsMatchTheWholeWorldComposition)
{
    struct {
        float x1, y1, rot1, x2, y2, rot2;
    } cases[] = {
        {1086, 1186, -50, 1005, 987, -75},      // the starts: each sees the other
        {1000.5f, 1000.5f, 10, 1040.7f, 1020.2f, 200},   // overlapping, player 2 on top
        {-40.5f, -30.25f, 33, 2060.5f, 1870.5f, -123},   // half off the world's corners
        {10.5f, 700, 90, 20.5f, 710, 91},       // clamped camera, a fraction left of it
        {1500, 900, 0, 1500 + 256, 900, 180},   // one boat across the other view's edge
        {-5000, 9000, 45, 3000, -7000, 300},    // far outside the world
    };
    BITMAP *world = create_bitmap(2100, 1900);
    BITMAP *want = create_bitmap(1024, 768);
    for (auto &c : cases) {
        boat.x = c.x1, boat.y = c.y1, boat.rot = c.rot1;
        super.x = c.x2, super.y = c.y2, super.rot = c.rot2;
        srand(7);
        draw_split_views();
        srand(7);
        straightforward_split_views(world, want, rand() % 255);
        EXPECT_TRUE(same_picture(want, mb)) << "boats at " << c.x1 << "," << c.y1 << " and " << c.x2 << ","
                                            << c.y2;
    }
    destroy_bitmap(world);
    destroy_bitmap(want);
}

// The same turn through the direct 32-bit path and through Allegro's
// checked pixel calls (a 24-bit destination takes the checked path).
TEST_F(FrameEquivalenceTest, DirectRotationMatchesCheckedPixelCalls)
{
    BITMAP *src = create_bitmap_ex(32, 100, 100);
    for (int x = 0; x < 100; x++)
        for (int y = 0; y < 100; y++)
            putpixel(src, x, y, makecol32(x, y, (x * 7 + y) & 255));
    BITMAP *direct = create_bitmap_ex(32, 100, 100);
    BITMAP *checked = create_bitmap_ex(24, 100, 100);
    for (float angle = -720; angle <= 720; angle += 7.3f) {
        rotate(src, direct, angle);
        rotate(src, checked, angle);
        for (int x = 0; x < 100; x++)
            for (int y = 0; y < 100; y++) {
                int d = getpixel(direct, x, y), c = getpixel(checked, x, y);
                ASSERT_TRUE(getr32(d) == getr24(c) && getg32(d) == getg24(c) && getb32(d) == getb24(c))
                    << "angle " << angle << " at " << x << "," << y;
            }
    }
    destroy_bitmap(src);
    destroy_bitmap(direct);
    destroy_bitmap(checked);
}

} // namespace

#include <gtest/gtest.h>
#include "headless.h"
#include "rotate.h"

namespace {

// A source whose every pixel has its own colour, so the pixel a
// destination takes can be read back from its colour.
BITMAP *numbered(int w, int h)
{
    BITMAP *b = create_bitmap_ex(32, w, h);
    for (int x = 0; x < w; x++)
        for (int y = 0; y < h; y++)
            putpixel(b, x, y, makecol32(x, y, 7));
    return b;
}

const int magenta = makecol32(255, 0, 255);

// A numbered size x size picture turned by angle into a bitmap of its size.
BITMAP *turned_numbered(int size, float angle)
{
    BITMAP *src = numbered(size, size);
    BITMAP *dest = create_bitmap_ex(32, size, size);
    rotate(src, dest, angle);
    destroy_bitmap(src);
    return dest;
}

// Where the destination pixel (x, y) came from, or (-1, -1) for magenta.
void source_of(BITMAP *dest, int x, int y, int *sx, int *sy)
{
    int c = getpixel(dest, x, y);
    if (c == magenta) {
        *sx = *sy = -1;
        return;
    }
    ASSERT_EQ(getb32(c), 7);
    *sx = getr32(c);
    *sy = getg32(c);
}

struct turn_case {
    float angle;
    int size;
    // expected source of the destination pixel (x, y); -1 for magenta
    int (*sx)(int x, int y, int size);
    int (*sy)(int x, int y, int size);
};

class RotateTest : public ::testing::Test {
protected:
    void SetUp() override { headless_allegro(); }
};

TEST_F(RotateTest, QuarterTurnsTakeTheExactPixels)
{
    // The source pixel each destination pixel takes at the right angles.
    const turn_case cases[] = {
        {0, 100, [](int x, int, int) { return x; }, [](int, int y, int) { return y; }},
        {360, 100, [](int x, int, int) { return x; }, [](int, int y, int) { return y; }},
        {90, 100, [](int, int y, int) { return y; }, [](int x, int, int) { return 100 - x; }},
        {180, 100, [](int x, int, int) { return 100 - x; }, [](int, int y, int) { return 100 - y; }},
        {-90, 100, [](int, int y, int) { return 100 - y; }, [](int x, int, int) { return x; }},
        {270, 100, [](int, int y, int) { return 100 - y; }, [](int x, int, int) { return x; }},
        {90, 99, [](int, int y, int) { return y; }, [](int x, int, int) { return 98 - x; }},
    };
    for (const turn_case &c : cases) {
        BITMAP *dest = turned_numbered(c.size, c.angle);
        for (int x = 0; x < c.size; x++)
            for (int y = 0; y < c.size; y++) {
                int ex = c.sx(x, y, c.size), ey = c.sy(x, y, c.size);
                bool outside = ex < 0 || ey < 0 || ex > c.size - 1 || ey > c.size - 1;
                int sx, sy;
                source_of(dest, x, y, &sx, &sy);
                if (outside)
                    ASSERT_EQ(sx, -1) << "angle " << c.angle << " at " << x << "," << y;
                else
                    ASSERT_TRUE(sx == ex && sy == ey) << "angle " << c.angle << " at " << x << "," << y
                                                      << " took " << sx << "," << sy;
            }
        destroy_bitmap(dest);
    }
}

TEST_F(RotateTest, NinetyDegreesTurnsClockwise)
{
    BITMAP *dest = turned_numbered(100, 90);
    int sx, sy;
    source_of(dest, 99, 50, &sx, &sy);
    EXPECT_EQ(sx, 50);   // the top middle lands at the right middle
    EXPECT_EQ(sy, 1);
    destroy_bitmap(dest);
}

TEST_F(RotateTest, FortyFiveDegreesCutsTheCorners)
{
    BITMAP *dest = turned_numbered(100, 45);
    for (int corner : {0, 99})
        for (int other : {0, 99})
            EXPECT_EQ(getpixel(dest, corner, other), magenta);
    // No destination pixel shows a source corner.
    for (int x = 0; x < 100; x++)
        for (int y = 0; y < 100; y++) {
            int sx, sy;
            source_of(dest, x, y, &sx, &sy);
            bool corner = (sx == 0 || sx == 99) && (sy == 0 || sy == 99);
            ASSERT_FALSE(corner) << x << "," << y;
        }
    destroy_bitmap(dest);
}

TEST_F(RotateTest, MagentaStaysAndALargerDestinationStaysMagentaOutside)
{
    BITMAP *src = create_bitmap_ex(32, 10, 10);
    clear_to_color(src, magenta);
    putpixel(src, 5, 5, makecol32(1, 2, 3));
    BITMAP *dest = create_bitmap_ex(32, 20, 20);
    clear_to_color(dest, 0);
    rotate(src, dest, 0);
    for (int x = 0; x < 20; x++)
        for (int y = 0; y < 20; y++)
            ASSERT_EQ(getpixel(dest, x, y), x == 5 && y == 5 ? makecol32(1, 2, 3) : magenta);
    destroy_bitmap(src);
    destroy_bitmap(dest);
}

TEST(Rot, TurnsAPointAboutTheCentre)
{
    float rx, ry;
    rot(60, 50, 50, 50, 0, 1, &rx, &ry);
    EXPECT_FLOAT_EQ(rx, 50);
    EXPECT_FLOAT_EQ(ry, 60);
}

TEST(Gra, BlendsEachChannelAndTruncates)
{
    struct {
        trgb a, b;
        float i;
        trgb want;
    } cases[] = {
        {{0, 0, 0}, {255, 255, 255}, 0.5f, {127, 127, 127}},
        {{10, 20, 30}, {200, 100, 50}, 0, {10, 20, 30}},
        {{10, 20, 30}, {200, 100, 50}, 1, {200, 100, 50}},
        {{0, 0, 0}, {100, 100, 100}, 2, {200, 200, 200}},   // nothing is clamped
    };
    for (auto &c : cases) {
        trgb r = gra(c.a, c.b, c.i);
        EXPECT_EQ(r.r, c.want.r);
        EXPECT_EQ(r.g, c.want.g);
        EXPECT_EQ(r.b, c.want.b);
    }
}

} // namespace

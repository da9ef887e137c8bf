// The course as the track mask holds it: a channel along the whole
// figure-eight, land walls between its far-apart parts, the finish at the
// crossing and three checkpoint bands that make a lap take the whole loop.
#include "course.h"
#include "data_support.h"
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <ostream>
#include <set>

namespace {

const pt crossing{1005, 1291};

class CourseTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        mask = load_data_bitmap("alpha1.bmp");
        ASSERT_NE(mask, nullptr);
        c = new course(make_course());
    }

    static int n() { return c->line.size(); }
    static pt at(int i) { return c->line[((i % n()) + n()) % n()]; }

    // The point off sample i by o pixels to the right of the racing direction.
    static pt off(int i, double o)
    {
        pt t = tangent(*c, ((i % n()) + n()) % n());
        pt p = at(i);
        return {p.x - t.y * o, p.y + t.x * o};
    }

    static int red(pt p) { return red_at(mask, (int)std::lround(p.x), (int)std::lround(p.y)); }
    static double dist(pt a, pt b) { return std::hypot(a.x - b.x, a.y - b.y); }

    static BITMAP *mask;
    static course *c;
};

BITMAP *CourseTest::mask;
course *CourseTest::c;

TEST_F(CourseTest, MaskHoldsOnlyTheCourseCodes)
{
    const std::set<int> codes{code_land, code_one, code_two, code_three, code_finish, code_water};
    std::set<int> seen;
    for (int y = 0; y < mask->h; y++)
        for (int x = 0; x < mask->w; x++)
            seen.insert(red_at(mask, x, y));
    EXPECT_EQ(seen, codes);
}

TEST_F(CourseTest, LoopAndSixtyPixelsEitherSideAreFreeOfLand)
{
    for (int i = 0; i < n(); i++)
        for (int o = -60; o <= 60; o++)
            ASSERT_NE(red(off(i, o)), code_land) << "sample " << i << " offset " << o;
}

// Land within about 80 px of the centre line on each side, so the channel
// is no wider than the course needs; the crossing is open water by design.
TEST_F(CourseTest, ChannelIsNoWiderThanAboutEightyPixels)
{
    for (int i = 0; i < n(); i++) {
        if (dist(at(i), crossing) < 250)
            continue;
        for (int s : {-1, 1}) {
            int o = 0;
            while (o <= 84 && red(off(i, s * o)) != code_land)
                o++;
            EXPECT_LE(o, 84) << "sample " << i << " side " << s;
        }
    }
}

// Water pixels on the shore closer than 12 px to each other belong to the
// same part of the course, except at the crossing where the branches meet:
// elsewhere the land between far-apart parts is at least 11 px thick, so the
// bow probe, which reads one point a frame, cannot jump it.
TEST_F(CourseTest, FarApartPartsAreSeparatedByAWall)
{
    std::vector<int> owner(mask_w * mask_h, -1);
    for (int y = 1; y < mask_h - 1; y++)
        for (int x = 1; x < mask_w - 1; x++) {
            bool shore = red_at(mask, x - 1, y) == code_land || red_at(mask, x + 1, y) == code_land ||
                         red_at(mask, x, y - 1) == code_land || red_at(mask, x, y + 1) == code_land;
            if (red_at(mask, x, y) == code_land || !shore)
                continue;
            pt p{(double)x, (double)y};
            int best = 0;
            for (int i = 1; i < n(); i++)
                if (dist(at(i), p) < dist(at(best), p))
                    best = i;
            owner[y * mask_w + x] = best;
        }
    int gaps = 0;
    for (int y = 0; y < mask_h; y++)
        for (int x = 0; x < mask_w; x++) {
            int i = owner[y * mask_w + x];
            if (i < 0)
                continue;
            for (int v = std::max(0, y - 11); v <= std::min(mask_h - 1, y + 11); v++)
                for (int u = std::max(0, x - 11); u <= std::min(mask_w - 1, x + 11); u++) {
                    int j = owner[v * mask_w + u];
                    pt a{(double)x, (double)y}, b{(double)u, (double)v};
                    if (j < 0 || dist(a, b) >= 12 || along(*c, i, j) <= 500 ||
                        (dist(a, crossing) < 150 && dist(b, crossing) < 150))
                        continue;
                    if (gaps++ < 5)
                        ADD_FAILURE() << "thin wall between " << x << "," << y << " and " << u << "," << v;
                }
        }
    EXPECT_EQ(gaps, 0);
}

TEST_F(CourseTest, StartsAndTheirBowProbesAreInWater)
{
    for (const start &s : c->starts) {
        for (int y = 0; y < 100; y++)
            for (int x = 0; x < 100; x++)
                ASSERT_NE(red_at(mask, s.x + x, s.y + y), code_land) << s.x << "," << s.y;
        pt bow = bow_point(s);
        EXPECT_EQ(red(bow), code_water) << bow.x << "," << bow.y;
    }
    pt bow = bow_point(c->starts[0]);
    EXPECT_EQ(bow.x, 1167);
    EXPECT_EQ(bow.y, 1200);
}

struct band_case {
    int code;
    int runs;   // times the centre line meets it in a lap
};

std::ostream &operator<<(std::ostream &os, const band_case &b) { return os << "code " << b.code; }

class BandTest : public CourseTest, public ::testing::WithParamInterface<band_case> {};

// Every band is met along the loop, spans the channel and is at least 24 px
// thick along the course at every offset across it (a boat covers up to
// about 10 px a frame and the mask is read at one point a frame).
TEST_P(BandTest, CrossesTheChannelAndIsThickEnough)
{
    band_case b = GetParam();
    for (int o = -60; o <= 60; o += 5) {
        // Runs of the code along the loop at this offset, from a sample off it.
        int first = 0;
        while (red(off(first, o)) == b.code)
            first++;
        std::vector<double> runs;
        pt run_start{0, 0};
        bool in = false;
        for (int i = first; i <= first + n(); i++) {
            bool here = red(off(i, o)) == b.code;
            if (here && !in)
                run_start = off(i, o);
            if (!here && in)
                runs.push_back(dist(run_start, off(i - 1, o)));
            in = here;
        }
        ASSERT_EQ((int)runs.size(), b.runs) << "offset " << o;
        for (double len : runs)
            EXPECT_GE(len, 24) << "offset " << o;
    }
}

INSTANTIATE_TEST_SUITE_P(Bands, BandTest,
                         ::testing::Values(band_case{code_one, 1}, band_case{code_two, 1},
                                           band_case{code_three, 1}, band_case{code_finish, 2}));

// A boat that drives the centre line from a start, reading the mask by the
// game's rules, completes its first lap only after the whole figure-eight:
// it crosses the finish once in mid-lap without all three flags.
TEST_F(CourseTest, FirstLapFromEitherStartTakesTheWholeFigureEight)
{
    for (const start &s : c->starts) {
        pt bow = bow_point(s);
        int from = 0;
        for (int i = 0; i < n(); i++)
            if (dist(at(i), bow) < dist(at(from), bow))
                from = i;
        bool one = false, two = false, three = false, on_finish = false;
        int finishes = 0, walked = -1;
        for (int k = 0; k <= n() && walked < 0; k++) {
            int code = red(at(from + k));
            one |= code == code_one;
            two |= code == code_two;
            three |= code == code_three;
            if (code == code_finish && !on_finish) {
                finishes++;
                if (one && two && three)
                    walked = k;
            }
            on_finish = code == code_finish;
        }
        EXPECT_EQ(finishes, 2) << "start " << s.x << "," << s.y;
        EXPECT_GT(walked, n() - 400) << "start " << s.x << "," << s.y;
    }
}

} // namespace

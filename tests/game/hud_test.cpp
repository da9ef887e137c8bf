#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include "game.h"
#include "headless.h"
#include "hud.h"

namespace {

const int sea = makecol32(40, 90, 160);

struct lap_lines {
    std::string laps, last, best;
};

// What the HUD must show, drawn straight with the text layer: the panel,
// the clock as three centred texts, the credit line and the lap lines.
BITMAP *expected_hud(const char *min, const char *sec, const lap_lines &p1, const lap_lines *p2)
{
    BITMAP *b = create_bitmap(1024, 768);
    clear_to_color(b, sea);
    draw_sprite(b, panel, 412, 0);
    alfont_set_font_size(pump, 75);
    alfont_textout_centre_aa(b, pump, ":", 512, 0, white);
    alfont_textout_centre_aa(b, pump, sec, 555, 0, white);
    alfont_textout_centre_aa(b, pump, min, 472, 0, white);
    alfont_set_font_size(pump, 20);
    alfont_textout_centre_aa(b, pump, "powered by Orvo games", 512, 70, white);
    alfont_set_font_size(pump, 35);
    for (auto [p, x] : {std::pair{&p1, 20}, std::pair{p2, 810}}) {
        if (!p)
            continue;
        alfont_textout_aa(b, pump, p->laps.c_str(), x, 10, black);
        alfont_textout_aa(b, pump, p->last.c_str(), x, 40, black);
        alfont_textout_aa(b, pump, p->best.c_str(), x, 70, black);
    }
    return b;
}

// The first differing pixel, or -1, -1.
std::pair<int, int> first_difference(BITMAP *a, BITMAP *b)
{
    for (int y = 0; y < a->h; y++)
        for (int x = 0; x < a->w; x++)
            if (getpixel(a, x, y) != getpixel(b, x, y))
                return {x, y};
    return {-1, -1};
}

// The middle of the white ink between columns x0 and x1 above y 70.
int ink_centre(BITMAP *b, int x0, int x1)
{
    int left = x1, right = x0;
    for (int y = 0; y < 70; y++)
        for (int x = x0; x < x1; x++)
            if (getpixel(b, x, y) == makecol32(255, 255, 255)) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    return (left + right) / 2;
}

class HudTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        load_headless_game();
        fresh_race(mode_practice);
        clear_to_color(mb, sea);
    }
    // Start-up leaves the font at 50, and other tests look at that.
    void TearDown() override { alfont_set_font_size(pump, 50); }
    void expect_hud(const char *min, const char *sec, const lap_lines &p1, const lap_lines *p2)
    {
        BITMAP *want = expected_hud(min, sec, p1, p2);
        auto d = first_difference(mb, want);
        EXPECT_EQ(d, std::make_pair(-1, -1)) << "first wrong pixel";
        destroy_bitmap(want);
    }
};

TEST_F(HudTest, BeforeAnyLapAtTwoSevenInPractice)
{
    advance_clock(127);
    draw_hud();
    expect_hud("2", "7", {"Laps 0", "Last lap time 0:0", "Best lap time 99:99"}, nullptr);
    EXPECT_EQ(alfont_get_font_height(pump), 35) << "the HUD leaves the size at 35";
    // Each part of the clock stands about its own centre.
    EXPECT_NEAR(ink_centre(mb, 420, 500), 472, 4) << "minutes";
    EXPECT_NEAR(ink_centre(mb, 500, 525), 512, 4) << "colon";
    EXPECT_NEAR(ink_centre(mb, 530, 610), 555, 4) << "seconds";
}

TEST_F(HudTest, LapLinesPerMode)
{
    boat.round = 2;
    boat.last_lap_min = 1;
    boat.last_lap_sec = 5;
    boat.best_lap_min = 0;
    boat.best_lap_sec = 58;
    super.round = 1;
    super.last_lap_min = 0;
    super.last_lap_sec = 47;
    super.best_lap_min = 0;
    super.best_lap_sec = 47;
    lap_lines p1 = {"Laps 2", "Last lap time 1:5", "Best lap time 0:58"};
    lap_lines p2 = {"Laps 1", "Last lap time 0:47", "Best lap time 0:47"};
    advance_clock(600 + 59);
    struct {
        int mode;
        const lap_lines *second;
    } cases[] = {{mode_practice, nullptr}, {mode_carrier, nullptr}, {mode_multiplayer, &p2}};
    for (auto &c : cases) {
        game_mode = c.mode;
        clear_to_color(mb, sea);
        draw_hud();
        expect_hud("10", "59", p1, c.second);
    }
}

} // namespace

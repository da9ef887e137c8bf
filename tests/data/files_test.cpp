// Every generated file as the game loads it: BMPs Allegro 4 reads, of the
// sizes and shapes the game relies on; PCM sounds of sensible length and
// level; a font that fits the game's fixed layout; and the same bytes from
// every run of the generator.
#include "alfont.h"
#include "data_support.h"
#include "headless.h"
#include <cmath>
#include <cstdlib>
#include <ostream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const char *const files[] = {"airstream.ttf", "lodcervena.bmp", "lodzelena.bmp", "ostrov1.bmp",
                             "alpha1.bmp",    "menu.bmp",       "panel.bmp",     "sounds/dray.wav",
                             "sounds/spring.wav", "main.wav"};

unsigned le(const std::vector<unsigned char> &b, size_t at, int bytes)
{
    unsigned v = 0;
    for (int i = bytes - 1; i >= 0; i--)
        v = v << 8 | b.at(at + i);
    return v;
}

struct picture_case {
    const char *name;
    int w, h;   // 0: any
};

std::ostream &operator<<(std::ostream &os, const picture_case &c) { return os << c.name; }

class PictureTest : public ::testing::TestWithParam<picture_case> {};

// Classic 40-byte header, 24 bits, stored bottom-up (a positive height):
// what Allegro 4's load_bitmap reads.
TEST_P(PictureTest, IsAClassicBottomUpBmpAllegroLoads)
{
    picture_case p = GetParam();
    std::vector<unsigned char> b = read_file(data_path(p.name));
    ASSERT_GE(b.size(), 54u);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(le(b, 14, 4), 40u);
    EXPECT_EQ(le(b, 28, 2), 24u);
    EXPECT_EQ(le(b, 30, 4), 0u);
    EXPECT_LT((int)le(b, 22, 4), 0x10000) << "stored top-down";
    BITMAP *bmp = load_data_bitmap(p.name);
    ASSERT_NE(bmp, nullptr);
    if (p.w) {
        EXPECT_EQ(bmp->w, p.w);
        EXPECT_EQ(bmp->h, p.h);
    }
    destroy_bitmap(bmp);
}

INSTANTIATE_TEST_SUITE_P(Pictures, PictureTest,
                         ::testing::Values(picture_case{"lodcervena.bmp", 100, 100},
                                           picture_case{"lodzelena.bmp", 100, 100},
                                           picture_case{"ostrov1.bmp", 2100, 1900},
                                           picture_case{"alpha1.bmp", 2100, 1900},
                                           picture_case{"menu.bmp", 1024, 768},
                                           picture_case{"panel.bmp", 0, 0}));

class BoatTest : public ::testing::TestWithParam<const char *> {};

// Centred, bow up, on magenta; the hull reaches about 46 px ahead of the
// centre, where the bow probe reads the mask.
TEST_P(BoatTest, IsCentredBowUpOnMagenta)
{
    BITMAP *bmp = load_data_bitmap(GetParam());
    ASSERT_NE(bmp, nullptr);
    for (int i = 0; i < 100; i++) {
        EXPECT_TRUE(is_magenta(bmp, i, 0) && is_magenta(bmp, i, 99));
        EXPECT_TRUE(is_magenta(bmp, 0, i) && is_magenta(bmp, 99, i));
    }
    int top = 100, bottom = -1, left = 100, right = -1;
    for (int y = 0; y < 100; y++)
        for (int x = 0; x < 100; x++)
            if (!is_magenta(bmp, x, y)) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                left = std::min(left, x);
                right = std::max(right, x);
            }
    EXPECT_NEAR(50 - top, 46, 2);
    EXPECT_NEAR(left + right, 100, 2) << "not centred across";
    EXPECT_GT(bottom - top, right - left) << "not pointing up";
    destroy_bitmap(bmp);
}

INSTANTIATE_TEST_SUITE_P(Boats, BoatTest, ::testing::Values("lodcervena.bmp", "lodzelena.bmp"));

double mean_luminance(BITMAP *bmp, int x0, int y0, int x1, int y1)
{
    double sum = 0;
    for (int y = y0; y <= y1; y++)
        for (int x = x0; x <= x1; x++)
            sum += luminance(bmp, x, y);
    return sum / ((x1 - x0 + 1) * (y1 - y0 + 1));
}

// Drawn at (412, 0): dark behind the white clock digits and credit line,
// magenta where the view shows through.
TEST(PanelTest, IsDarkBehindTheClockAndTransparentAround)
{
    BITMAP *panel = load_data_bitmap("panel.bmp");
    ASSERT_NE(panel, nullptr);
    ASSERT_GE(panel->w, 594 - 412);
    ASSERT_GE(panel->h, 92);
    for (int y = 0; y < 92; y++)
        for (int x = 440 - 412; x <= 584 - 412; x++)
            ASSERT_LT(luminance(panel, x, y), 110) << x + 412 << "," << y;
    int magenta = 0;
    for (int y = 0; y < panel->h; y++)
        for (int x = 0; x < panel->w; x++)
            magenta += is_magenta(panel, x, y);
    EXPECT_GT(magenta, 0);
    destroy_bitmap(panel);
}

// Black and white text both stay readable over the menu's text areas.
TEST(MenuTest, TextAreasAreMidToned)
{
    BITMAP *menu = load_data_bitmap("menu.bmp");
    ASSERT_NE(menu, nullptr);
    struct area {
        int x0, y0, x1, y1;
    } areas[] = {{362, 100, 662, 180}, {101, 341, 305, 489}, {560, 10, 990, 600}, {100, 589, 924, 657}};
    for (const area &a : areas) {
        double l = mean_luminance(menu, a.x0, a.y0, a.x1, a.y1);
        EXPECT_GT(l, 90) << a.x0 << "," << a.y0;
        EXPECT_LT(l, 190) << a.x0 << "," << a.y0;
    }
    destroy_bitmap(menu);
}

// Light enough that the black HUD lines at the view's top left stay
// readable wherever the camera stands.
TEST(IslandTest, IsLightEnoughForBlackText)
{
    BITMAP *island = load_data_bitmap("ostrov1.bmp");
    ASSERT_NE(island, nullptr);
    int dark = 0, total = 0;
    for (int y = 0; y < island->h; y += 3)
        for (int x = 0; x < island->w; x += 3, total++)
            dark += luminance(island, x, y) < 70;
    EXPECT_GT(mean_luminance(island, 0, 0, island->w - 1, island->h - 1), 120);
    EXPECT_LT(dark, total / 50);
    destroy_bitmap(island);
}

struct wav {
    int format, channels, rate, bits;
    double seconds, peak;   // peak as a fraction of full scale
    bool loads;
};

wav read_wav(const char *name)
{
    std::vector<unsigned char> b = read_file(data_path(name));
    wav w{};
    if (b.size() < 44)
        return w;
    w.format = le(b, 20, 2);
    w.channels = le(b, 22, 2);
    w.rate = le(b, 24, 4);
    w.bits = le(b, 34, 2);
    size_t samples = le(b, 40, 4) / 2;
    w.seconds = (double)samples / w.channels / w.rate;
    int peak = 0;
    for (size_t i = 0; i < samples && 44 + 2 * i + 1 < b.size(); i++)
        peak = std::max(peak, std::abs((int)(short)le(b, 44 + 2 * i, 2)));
    w.peak = peak / 32768.0;
    headless_allegro();
    SAMPLE *s = load_sample(data_path(name).c_str());
    w.loads = s != nullptr;
    if (s)
        destroy_sample(s);
    return w;
}

struct sound_case {
    const char *name;
    double min_s, max_s;
    double min_peak, max_peak;
};

std::ostream &operator<<(std::ostream &os, const sound_case &c) { return os << c.name; }

class SoundTest : public ::testing::TestWithParam<sound_case> {};

TEST_P(SoundTest, IsPcmOfTheRightLengthAndLevel)
{
    sound_case c = GetParam();
    wav w = read_wav(c.name);
    EXPECT_TRUE(w.loads);
    EXPECT_EQ(w.format, 1);
    EXPECT_EQ(w.bits, 16);
    EXPECT_GE(w.seconds, c.min_s);
    EXPECT_LE(w.seconds, c.max_s);
    EXPECT_GE(w.peak, c.min_peak);
    EXPECT_LE(w.peak, c.max_peak);
}

// The lap chime is short and bright; the bump restarts every frame while
// the boats touch, so it is shorter and gentler; the tune never clips.
INSTANTIATE_TEST_SUITE_P(Sounds, SoundTest,
                         ::testing::Values(sound_case{"sounds/dray.wav", 0.2, 1.0, 0.3, 0.9},
                                           sound_case{"sounds/spring.wav", 0.03, 0.3, 0.1, 0.6},
                                           sound_case{"main.wav", 20, 60, 0.3, 0.95}));

struct width_case {
    const char *text;
    int size;
    int min_w, max_w;
};

std::ostream &operator<<(std::ostream &os, const width_case &c) { return os << '"' << c.text << "\" at " << c.size; }

class FontTest : public ::testing::TestWithParam<width_case> {};

// The game's layout is fixed: the options labels end before the tick boxes,
// player 2's lap lines stay on screen, "Multiplayer" fills its hit box.
TEST_P(FontTest, FitsTheFixedLayout)
{
    width_case c = GetParam();
    headless_allegro();
    ALFONT_FONT *f = alfont_load_font(data_path("airstream.ttf").c_str());
    ASSERT_NE(f, nullptr);
    alfont_set_font_size(f, c.size);
    int w = alfont_text_length(f, c.text);
    EXPECT_GE(w, c.min_w) << c.text;
    EXPECT_LE(w, c.max_w) << c.text;
    alfont_destroy_font(f);
}

INSTANTIATE_TEST_SUITE_P(Widths, FontTest,
                         ::testing::Values(width_case{"Color of Player's boat", 30, 120, 200},
                                           width_case{"Best lap time 99:99", 35, 120, 210},
                                           width_case{"Multiplayer", 60, 184, 224}));

// The generator makes the same bytes on every run.
TEST(GeneratorTest, IsDeterministic)
{
    char dir[] = "/tmp/tavuna-data-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    std::string cmd = std::string("\"") + MKDATA + "\" " + dir + " \"" + FONT_SOURCE + "\"";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    for (const char *name : files) {
        std::string again = std::string(dir) + "/" + name;
        EXPECT_EQ(read_file(again), read_file(data_path(name))) << name;
        std::remove(again.c_str());
    }
    std::remove((std::string(dir) + "/sounds").c_str());
    std::remove(dir);
}

} // namespace

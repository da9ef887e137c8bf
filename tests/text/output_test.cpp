// Text output: the two drawing cores, their pixels and drawing modes, and
// the wrappers that align, format and pick the background.
#include "text_support.h"

#include <allegro/internal/aintern.h>

#include <functional>
#include <string>

static const int white = 0xffffff, black = 0;

// Coverage bytes of a glyph as FreeType renders it at the face's size.
struct ref_glyph {
    int left = 0, top = 0, width = 0, rows = 0;
    std::vector<unsigned char> gray;
};

static ref_glyph render(FT_Face face, char c)
{
    ref_glyph g;
    if (FT_Load_Char(face, (unsigned char)c, FT_LOAD_RENDER) != 0)
        return g;
    FT_GlyphSlot s = face->glyph;
    g.left = s->bitmap_left;
    g.top = s->bitmap_top;
    g.width = s->bitmap.width;
    g.rows = s->bitmap.rows;
    for (int r = 0; r < g.rows; r++)
        for (int c = 0; c < g.width; c++)
            g.gray.push_back(s->bitmap.buffer[r * s->bitmap.pitch + c]);
    return g;
}

class output_test : public yanone_test {
protected:
    ref_face ref{yanone_path};
    void SetUp() override
    {
        yanone_test::SetUp();
        ASSERT_EQ(alfont_set_font_size(font, 30), 0);
        ASSERT_EQ(ref.height_at(font->pixel_size), 30);
    }
    // Calls check(pixel, coverage) for every pixel of the rendered 'H' drawn with its pen at (x, y).
    void each_h_pixel(BITMAP *bmp, int x, int y, const std::function<void(int, int)> &check)
    {
        ref_glyph g = render(ref.face, 'H');
        ASSERT_GT(g.width, 0);
        for (int r = 0; r < g.rows; r++)
            for (int c = 0; c < g.width; c++)
                check(getpixel(bmp, x + g.left + c, y + font->ascent - g.top + r), g.gray[r * g.width + c]);
    }
};

// --- backgrounds --------------------------------------------------------------

TEST_F(output_test, calls_without_background_fill_colour_zero_until_a_mode_is_set)
{
    ASSERT_EQ(alfont_textmode, 0);
    int len = alfont_text_length(font, "HH");
    for (bool aa : {false, true}) {
        bitmap_holder bmp(200, 60, white);
        if (aa)
            alfont_textout_aa(bmp, font, "HH", 10, 10, white);
        else
            alfont_textout(bmp, font, "HH", 10, 10, white);
        // The bottom corners lie below the baseline: background, not ink.
        EXPECT_EQ(getpixel(bmp, 10, 10 + 29), black) << aa;
        EXPECT_EQ(getpixel(bmp, 10 + len - 1, 10 + 29), black) << aa;
        EXPECT_EQ(getpixel(bmp, 10 + len, 10), white) << aa;
    }
}

TEST_F(output_test, background_covers_exactly_the_text_box)
{
    const int marker = 0x0000ff, backg = 0x00ff00, x = 20, y = 15;
    int len = alfont_text_length(font, "HH");
    ASSERT_GT(len, 0);
    for (bool aa : {false, true}) {
        bitmap_holder bmp(200, 80, marker);
        if (aa)
            alfont_textout_aa_ex(bmp, font, "HH", x, y, white, backg);
        else
            alfont_textout_ex(bmp, font, "HH", x, y, white, backg);
        for (int py = 0; py < 80; py++)
            for (int px = 0; px < 200; px++) {
                bool inside = px >= x && px <= x + len - 1 && py >= y && py <= y + 29;
                ASSERT_EQ(getpixel(bmp, px, py) != marker, inside) << aa << " at " << px << "," << py;
            }
    }
}

TEST_F(output_test, empty_text_or_a_font_without_height_fills_nothing)
{
    bitmap_holder bmp(100, 60, white);
    alfont_textout_aa_ex(bmp, font, "", 10, 10, white, 0x123456);
    alfont_textout_ex(bmp, font, "", 10, 10, white, 0x123456);
    alfont_textprintf_centre_aa_ex(bmp, font, 50, 10, white, 0x123456, "%s", "");

    std::string path = write_bdf("heightless", 12, 8, 2, "ISO10646");
    ALFONT_FONT *heightless = alfont_load_font(path.c_str());
    ASSERT_NE(heightless, nullptr);
    ASSERT_EQ(alfont_get_font_height(heightless), 0);
    alfont_textout_ex(bmp, heightless, "AAA", 10, 10, white, 0x123456);
    alfont_textout_aa_ex(bmp, heightless, "AAA", 10, 10, white, 0x123456);
    alfont_destroy_font(heightless);

    for (int py = 0; py < 60; py++)
        for (int px = 0; px < 100; px++)
            ASSERT_NE(getpixel(bmp, px, py), 0x123456) << px << "," << py;
}

// --- anti-aliased pixels ------------------------------------------------------

TEST_F(output_test, opaque_coverage_runs_from_background_towards_text_colour)
{
    const struct {
        int text, backg, full;
    } cases[] = {
        {white, black, white},               // rising channels reach the text colour
        {black, white, makecol(1, 1, 1)},    // falling ones end one above it
        {makecol(255, 0, 0), makecol(0, 0, 255), makecol(255, 0, 1)},
    };
    for (auto c : cases) {
        SCOPED_TRACE(c.text);
        bitmap_holder bmp(100, 60, 0x777777);
        alfont_textout_aa_ex(bmp, font, "H", 10, 5, c.text, c.backg);
        int full = 0;
        each_h_pixel(bmp, 10, 5, [&](int pixel, int v) {
            if (v == 0) {
                EXPECT_EQ(pixel, c.backg);
            }
            if (v == 255) {
                EXPECT_EQ(pixel, c.full);
                full++;
            }
        });
        EXPECT_GT(full, 0);
    }
}

TEST_F(output_test, transparent_coverage_blends_over_what_is_there)
{
    const int below = makecol(40, 80, 120), text = makecol(240, 200, 0);
    bitmap_holder bmp(100, 60, below);
    alfont_textout_aa_ex(bmp, font, "H", 10, 5, text, -1);
    int full = 0, half = 0;
    each_h_pixel(bmp, 10, 5, [&](int pixel, int v) {
        if (v == 0) {
            EXPECT_EQ(pixel, below);
        }
        if (v == 255) {
            EXPECT_EQ(pixel, text);
            full++;
        }
        if (v >= 100 && v <= 156) {
            half++;
            auto mix = [v](int t, int b) { return (t * v + b * (255 - v)) / 255; };
            EXPECT_NEAR(getr(pixel), mix(240, 40), 3) << v;
            EXPECT_NEAR(getg(pixel), mix(200, 80), 3) << v;
            EXPECT_NEAR(getb(pixel), mix(0, 120), 3) << v;
        }
    });
    EXPECT_GT(full, 0);
    EXPECT_GT(half, 0);
}

TEST_F(output_test, glyphs_sit_at_pen_plus_bearings_below_the_ascent)
{
    bitmap_holder bmp(100, 60, black);
    alfont_textout_aa_ex(bmp, font, "H", 7, 3, white, -1);
    each_h_pixel(bmp, 7, 3, [&](int pixel, int v) {
        if (v == 0) {
            EXPECT_EQ(pixel, black);
        }
        if (v == 255) {
            EXPECT_EQ(pixel, white);
        }
    });
}

TEST(mono, bitmap_glyph_is_drawn_ink_for_ink)
{
    headless();
    std::string path = write_bdf("draw", 10, 8, 2, "ISO10646");
    ALFONT_FONT *f = alfont_load_font(path.c_str());
    ASSERT_NE(f, nullptr);
    bitmap_holder bmp(30, 20, black);
    alfont_textout_ex(bmp, f, " A", 3, 1, white, -1);
    // 'A' follows a 6-pixel space; its box starts 1 right of the pen and
    // 6 rows above the baseline, which lies 8 rows below the top.
    const char *rows[] = {"####", "#..#", "####", "#..#", "#..#", "#..#"};
    for (int y = 0; y < 20; y++)
        for (int x = 0; x < 30; x++) {
            int r = y - (1 + 8 - 6), c = x - (3 + 6 + 1);
            bool ink = r >= 0 && r < 6 && c >= 0 && c < 4 && rows[r][c] == '#';
            ASSERT_EQ(getpixel(bmp, x, y), ink ? white : black) << x << "," << y;
        }
    // The anti-aliased core finds no form to draw in a one-bit font.
    bitmap_holder aa(30, 20, black);
    alfont_textout_aa_ex(aa, f, " A", 3, 1, white, -1);
    bitmap_holder blank(30, 20, black);
    EXPECT_TRUE(same_pixels(aa, blank));
    alfont_destroy_font(f);
}

// --- drawing modes and clipping --------------------------------------------------

TEST_F(output_test, drawing_mode_after_each_branch)
{
    const struct {
        const char *name;
        std::function<void(BITMAP *)> draw;
        int mode_after;
    } cases[] = {
        {"transparent aa", [&](BITMAP *b) { alfont_textout_aa_ex(b, font, "H", 5, 5, white, -1); }, DRAW_MODE_SOLID},
        {"transparent aa, empty", [&](BITMAP *b) { alfont_textout_aa_ex(b, font, "", 5, 5, white, -1); },
         DRAW_MODE_SOLID},
        {"transparent aa, rejected", [&](BITMAP *b) { alfont_textout_aa_ex(b, font, "H", 500, 5, white, -1); },
         DRAW_MODE_XOR},
        {"opaque aa", [&](BITMAP *b) { alfont_textout_aa_ex(b, font, "H", 5, 5, white, black); }, DRAW_MODE_XOR},
        {"transparent mono", [&](BITMAP *b) { alfont_textout_ex(b, font, "H", 5, 5, white, -1); }, DRAW_MODE_XOR},
        {"opaque mono", [&](BITMAP *b) { alfont_textout_ex(b, font, "H", 5, 5, white, black); }, DRAW_MODE_XOR},
    };
    for (auto &c : cases) {
        bitmap_holder bmp(100, 60, black);
        drawing_mode(DRAW_MODE_XOR, NULL, 0, 0);
        c.draw(bmp);
        EXPECT_EQ(_drawing_mode, c.mode_after) << c.name;
        solid_mode();
    }
}

TEST_F(output_test, mono_pixels_follow_the_current_drawing_mode)
{
    bitmap_holder solid(100, 60, 0x00ff00), xored(100, 60, 0x00ff00);
    alfont_textout_ex(solid, font, "H", 5, 5, 0xff00ff, -1);
    drawing_mode(DRAW_MODE_XOR, NULL, 0, 0);
    alfont_textout_ex(xored, font, "H", 5, 5, 0xff00ff, -1);
    solid_mode();
    int inked = 0;
    for (int y = 0; y < 60; y++)
        for (int x = 0; x < 100; x++)
            if (getpixel(solid, x, y) == 0xff00ff) {
                EXPECT_EQ(getpixel(xored, x, y), 0xff00ff ^ 0x00ff00);
                inked++;
            }
    EXPECT_GT(inked, 0);
}

// Text wholly above or below the clip rectangle, or starting right of it,
// is rejected before anything is drawn; the left edge is not tested.
TEST_F(output_test, early_rejection_at_the_clip_edges)
{
    const int h = 30; // font height
    const struct {
        int x, y;
        bool rejected;
    } cases[] = {
        {60, 20, false}, {61, 20, true},          // cr is 60
        {20, 60, false}, {20, 61, true},          // cb is 60
        {20, 10 - h, false}, {20, 9 - h, true},   // ct is 10
        {-500, 20, false},
    };
    for (auto c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        bitmap_holder bmp(100, 100, black), blank(100, 100, black);
        set_clip_rect(bmp, 10, 10, 59, 59);
        drawing_mode(DRAW_MODE_XOR, NULL, 0, 0);
        alfont_textout_aa_ex(bmp, font, "HHHHHHHHHHHH", c.x, c.y, white, -1);
        EXPECT_EQ(_drawing_mode, c.rejected ? DRAW_MODE_XOR : DRAW_MODE_SOLID);
        solid_mode();
        if (c.rejected) {
            alfont_textout_ex(bmp, font, "HHH", c.x, c.y, white, 0x123456);
            alfont_textout_aa_ex(bmp, font, "HHH", c.x, c.y, white, 0x123456);
            EXPECT_TRUE(same_pixels(bmp, blank));
        }
    }
}

TEST_F(output_test, drawing_stops_once_the_pen_passes_the_right_edge)
{
    bitmap_holder bmp(100, 60, black);
    set_clip_rect(bmp, 0, 0, 49, 59);
    alfont_textout_aa_ex(bmp, font, "HHHHHHHHHHHHHHHHHHHHZ", 0, 0, white, -1);
    EXPECT_TRUE(font->glyphs[FT_Get_Char_Index(font->ft_face, 'H')].cached);
    EXPECT_FALSE(font->glyphs[FT_Get_Char_Index(font->ft_face, 'Z')].cached);
    bool inked_near_edge = false;
    for (int y = 0; y < 60; y++) {
        inked_near_edge |= getpixel(bmp, 49, y) != black || getpixel(bmp, 48, y) != black;
        for (int x = 50; x < 100; x++)
            ASSERT_EQ(getpixel(bmp, x, y), black);
    }
    EXPECT_TRUE(inked_near_edge);
}

TEST_F(output_test, text_left_of_the_clip_edge_is_drawn_clipped)
{
    bitmap_holder cut(100, 60, black), whole(120, 60, black);
    alfont_textout_aa_ex(cut, font, "Tavuna", -7, 5, white, -1);
    alfont_textout_aa_ex(whole, font, "Tavuna", 13, 5, white, -1);
    int inked = 0;
    for (int y = 0; y < 60; y++)
        for (int x = 0; x < 100; x++) {
            ASSERT_EQ(getpixel(cut, x, y), getpixel(whole, x + 20, y)) << x << "," << y;
            inked += x < 5 && getpixel(cut, x, y) != black;
        }
    EXPECT_GT(inked, 0);
}

// --- wrappers -------------------------------------------------------------------

// Each wrapper must draw exactly what its core draws from the x and the
// background of the table: left at x, centred at x - L/2, right at x - L,
// the global mode or the given background.
TEST_F(output_test, wrappers_hand_the_cores_their_x_and_background)
{
    const int mode = 0x203040, backg = 0x405060, x = 150, y = 10;
    int previous = alfont_text_mode(mode);
    // An odd length, so that centring shows how L/2 is rounded.
    alfont_set_char_extra_spacing(font, 3);
    if (alfont_text_length(font, "Ab7") % 2 == 0)
        alfont_set_char_extra_spacing(font, 4);
    const int len = alfont_text_length(font, "Ab7");
    ASSERT_EQ(len % 2, 1);
    const int at_left = x, at_centre = x - len / 2, at_right = x - len;

    const struct {
        const char *name;
        std::function<void(BITMAP *)> draw;
        bool aa;
        int pen_x, background;
    } cases[] = {
        {"textout", [&](BITMAP *b) { alfont_textout(b, font, "Ab7", x, y, white); }, false, at_left, mode},
        {"textout_aa", [&](BITMAP *b) { alfont_textout_aa(b, font, "Ab7", x, y, white); }, true, at_left, mode},
        {"textout_centre", [&](BITMAP *b) { alfont_textout_centre(b, font, "Ab7", x, y, white); }, false, at_centre,
         mode},
        {"textout_centre_ex", [&](BITMAP *b) { alfont_textout_centre_ex(b, font, "Ab7", x, y, white, backg); },
         false, at_centre, backg},
        {"textout_centre_aa", [&](BITMAP *b) { alfont_textout_centre_aa(b, font, "Ab7", x, y, white); }, true,
         at_centre, mode},
        {"textout_centre_aa_ex",
         [&](BITMAP *b) { alfont_textout_centre_aa_ex(b, font, "Ab7", x, y, white, backg); }, true, at_centre, backg},
        {"textout_right", [&](BITMAP *b) { alfont_textout_right(b, font, "Ab7", x, y, white); }, false, at_right,
         mode},
        {"textout_right_ex", [&](BITMAP *b) { alfont_textout_right_ex(b, font, "Ab7", x, y, white, backg); }, false,
         at_right, backg},
        {"textout_right_aa", [&](BITMAP *b) { alfont_textout_right_aa(b, font, "Ab7", x, y, white); }, true,
         at_right, mode},
        {"textout_right_aa_ex", [&](BITMAP *b) { alfont_textout_right_aa_ex(b, font, "Ab7", x, y, white, backg); },
         true, at_right, backg},
        {"textprintf", [&](BITMAP *b) { alfont_textprintf(b, font, x, y, white, "%s%d", "Ab", 7); }, false, at_left,
         mode},
        {"textprintf_ex", [&](BITMAP *b) { alfont_textprintf_ex(b, font, x, y, white, backg, "%s%d", "Ab", 7); },
         false, at_left, backg},
        {"textprintf_aa", [&](BITMAP *b) { alfont_textprintf_aa(b, font, x, y, white, "%s%d", "Ab", 7); }, true,
         at_left, mode},
        {"textprintf_aa_ex",
         [&](BITMAP *b) { alfont_textprintf_aa_ex(b, font, x, y, white, backg, "%s%d", "Ab", 7); }, true, at_left,
         backg},
        {"textprintf_centre",
         [&](BITMAP *b) { alfont_textprintf_centre(b, font, x, y, white, "%s%d", "Ab", 7); }, false, at_centre,
         mode},
        {"textprintf_centre_ex",
         [&](BITMAP *b) { alfont_textprintf_centre_ex(b, font, x, y, white, backg, "%s%d", "Ab", 7); }, false,
         at_centre, backg},
        {"textprintf_centre_aa",
         [&](BITMAP *b) { alfont_textprintf_centre_aa(b, font, x, y, white, "%s%d", "Ab", 7); }, true, at_centre,
         mode},
        {"textprintf_centre_aa_ex",
         [&](BITMAP *b) { alfont_textprintf_centre_aa_ex(b, font, x, y, white, backg, "%s%d", "Ab", 7); }, true,
         at_centre, backg},
        {"textprintf_right", [&](BITMAP *b) { alfont_textprintf_right(b, font, x, y, white, "%s%d", "Ab", 7); },
         false, at_right, mode},
        {"textprintf_right_ex",
         [&](BITMAP *b) { alfont_textprintf_right_ex(b, font, x, y, white, backg, "%s%d", "Ab", 7); }, false,
         at_right, backg},
        {"textprintf_right_aa",
         [&](BITMAP *b) { alfont_textprintf_right_aa(b, font, x, y, white, "%s%d", "Ab", 7); }, true, at_right,
         mode},
        {"textprintf_right_aa_ex",
         [&](BITMAP *b) { alfont_textprintf_right_aa_ex(b, font, x, y, white, backg, "%s%d", "Ab", 7); }, true,
         at_right, backg},
    };
    for (auto &c : cases) {
        bitmap_holder got(300, 60, black), want(300, 60, black), blank(300, 60, black);
        c.draw(got);
        if (c.aa)
            alfont_textout_aa_ex(want, font, "Ab7", c.pen_x, y, white, c.background);
        else
            alfont_textout_ex(want, font, "Ab7", c.pen_x, y, white, c.background);
        ASSERT_FALSE(same_pixels(want, blank));
        EXPECT_TRUE(same_pixels(got, want)) << c.name;
    }
    alfont_text_mode(previous);
}

TEST_F(output_test, formatted_text_is_cut_to_511_characters)
{
    ASSERT_EQ(alfont_set_font_size(font, 8), 0);
    std::string long_text(600, 'a');
    const int width = 600 * 8;
    bitmap_holder got(width, 12, black), cut(width, 12, black), longer(width, 12, black);
    alfont_textprintf_ex(got, font, 0, 0, white, 0x445566, "%s", long_text.c_str());
    alfont_textout_ex(cut, font, long_text.substr(0, 511).c_str(), 0, 0, white, 0x445566);
    alfont_textout_ex(longer, font, long_text.substr(0, 512).c_str(), 0, 0, white, 0x445566);
    EXPECT_TRUE(same_pixels(got, cut));
    EXPECT_FALSE(same_pixels(got, longer));
}

TEST_F(output_test, zero_advance_glyph_leaves_the_pen_where_it_was)
{
    const char *mark = "\xcc\x81"; // combining acute
    alfont_text_length(font, mark);
    FT_UInt g = FT_Get_Char_Index(font->ft_face, 0x301);
    if (g == 0 || font->glyphs[g].advance_x != 0)
        GTEST_SKIP() << "this face has no zero-advance combining acute";
    alfont_set_char_extra_spacing(font, 5);
    for (bool aa : {false, true}) {
        bitmap_holder joined(100, 60, black), apart(100, 60, black);
        auto draw = [&](BITMAP *b, const char *s) {
            if (aa)
                alfont_textout_aa_ex(b, font, s, 20, 5, white, -1);
            else
                alfont_textout_ex(b, font, s, 20, 5, white, -1);
        };
        draw(joined, "\xcc\x81H");
        draw(apart, mark);
        draw(apart, "H");
        EXPECT_TRUE(same_pixels(joined, apart)) << aa;
    }
}

// Drawing into a clip rectangle shows exactly the part of the unclipped
// drawing inside it and leaves the rest alone.
TEST_F(output_test, clip_rectangle_cuts_glyphs_exactly)
{
    const struct {
        const char *name;
        bool aa;
        int backg;
    } cases[] = {{"mono", false, -1}, {"transparent aa", true, -1}, {"opaque aa", true, 0x336699}};
    for (auto c : cases) {
        bitmap_holder clipped(120, 60, 0x808080), whole(120, 60, 0x808080);
        set_clip_rect(clipped, 17, 12, 64, 30);
        for (BITMAP *b : {clipped.bmp, whole.bmp}) {
            if (c.aa)
                alfont_textout_aa_ex(b, font, "Tavuna", 3, 2, white, c.backg);
            else
                alfont_textout_ex(b, font, "Tavuna", 3, 2, white, c.backg);
        }
        int differs = 0;
        for (int y = 0; y < 60; y++)
            for (int x = 0; x < 120; x++) {
                bool inside = x >= 17 && x <= 64 && y >= 12 && y <= 30;
                int want = inside ? getpixel(whole, x, y) : 0x808080;
                ASSERT_EQ(getpixel(clipped, x, y), want) << c.name << " at " << x << "," << y;
                differs += inside && want != 0x808080;
            }
        EXPECT_GT(differs, 0) << c.name;
    }
}

// Transparent text drawn the plain way: for every pixel of every glyph, the
// drawing mode and blender set for its coverage, then the pixel.  The core
// sets the mode only when the coverage changes; the pixels must not differ.
TEST_F(output_test, transparent_text_matches_setting_the_mode_for_every_pixel)
{
    const char *text = "AVAWjy Laps 99:99";
    const int colour = makecol(250, 30, 90);
    bitmap_holder drawn(400, 60, 0), plain(400, 60, 0);
    for (BITMAP *b : {drawn.bmp, plain.bmp})
        for (int y = 0; y < 60; y++)
            for (int x = 0; x < 400; x++)
                putpixel(b, x, y, makecol(x & 255, y * 4, (x * y) & 255));
    alfont_textout_aa_ex(drawn, font, text, 3, 2, colour, -1);

    alfont_text_length(font, text);   // fills the glyph table
    int pen = 3;
    for (const char *p = text; *p; p++) {
        const ALFONT_GLYPH &g = font->glyphs[FT_Get_Char_Index(font->ft_face, (unsigned char)*p)];
        int left = pen + g.aa_left, top = 2 + font->ascent - g.aa_top;
        for (int r = 0; r < g.aa_height; r++)
            for (int c = 0; c < g.aa_width; c++) {
                int v = g.aa_pixels[r * g.aa_width + c];
                if (v == 0)
                    continue;
                if (v == 255) {
                    solid_mode();
                } else {
                    drawing_mode(DRAW_MODE_TRANS, NULL, 0, 0);
                    set_trans_blender(0, 0, 0, v);
                }
                putpixel(plain, left + c, top + r, colour);
            }
        if (g.advance_x != 0)
            pen += g.advance_x + font->extra_spacing;
    }
    solid_mode();
    EXPECT_TRUE(same_pixels(drawn, plain));
}

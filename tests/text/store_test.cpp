// The glyph store: glyphs rendered at other sizes refill the table after a
// change of height without FreeType, and everything drawn, measured and
// kept in the table is exactly what a font that never used the store gives.
#include "text_support.h"

#include <string.h>
#include <unistd.h>

#include <set>
#include <string>

// FreeType glyph loads by the layer are counted: a refill from the store
// must make none (text_tests links with --wrap=FT_Load_Glyph).
static long glyph_loads = 0;

extern "C" {
FT_Error __real_FT_Load_Glyph(FT_Face face, FT_UInt glyph, FT_Int32 flags);

FT_Error __wrap_FT_Load_Glyph(FT_Face face, FT_UInt glyph, FT_Int32 flags)
{
    glyph_loads++;
    return __real_FT_Load_Glyph(face, glyph, flags);
}
}

static const char *const dejavu_path = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
static const char *const sample = "Laps 1 Last lap time 1:05 powered by Orvo games";

// What a filled entry shows: flags, advances, and for each form it holds its
// size, bearings and bytes.  A form that was not made has no buffer.
static void expect_same_entry(const ALFONT_GLYPH &got, const ALFONT_GLYPH &want, const std::string &where)
{
    SCOPED_TRACE(where);
    ASSERT_TRUE(got.cached);
    EXPECT_EQ(got.advance_x, want.advance_x);
    EXPECT_EQ(got.advance_y, want.advance_y);
    ASSERT_EQ(got.has_mono, want.has_mono);
    ASSERT_EQ(got.has_aa, want.has_aa);
    if (got.has_mono) {
        EXPECT_EQ(got.mono_width, want.mono_width);
        EXPECT_EQ(got.mono_height, want.mono_height);
        EXPECT_EQ(got.mono_left, want.mono_left);
        EXPECT_EQ(got.mono_top, want.mono_top);
        ASSERT_EQ(got.mono_pixels == nullptr, want.mono_pixels == nullptr);
        if (got.mono_pixels) {
            EXPECT_EQ(memcmp(got.mono_pixels, want.mono_pixels, (size_t)got.mono_width * got.mono_height), 0);
        }
    } else {
        EXPECT_EQ(got.mono_pixels, nullptr);
    }
    if (got.has_aa) {
        EXPECT_EQ(got.aa_width, want.aa_width);
        EXPECT_EQ(got.aa_height, want.aa_height);
        EXPECT_EQ(got.aa_left, want.aa_left);
        EXPECT_EQ(got.aa_top, want.aa_top);
        ASSERT_EQ(got.aa_pixels == nullptr, want.aa_pixels == nullptr);
        if (got.aa_pixels) {
            EXPECT_EQ(memcmp(got.aa_pixels, want.aa_pixels, (size_t)got.aa_width * got.aa_height), 0);
        }
    } else {
        EXPECT_EQ(got.aa_pixels, nullptr);
    }
}

// The text through every kind of drawing: transparent anti-aliased over a
// pattern, opaque anti-aliased, and one-bit.
static void draw_sample(BITMAP *bmp, ALFONT_FONT *f)
{
    for (int y = 0; y < bmp->h; y++)
        for (int x = 0; x < bmp->w; x++)
            putpixel(bmp, x, y, makecol(x % 256, y % 256, (x ^ y) % 256));
    alfont_textout_aa_ex(bmp, f, sample, 3, 0, 0xffffff, -1);
    alfont_textout_aa_ex(bmp, f, sample, -7, 80, 0x203040, 0xe0d0c0);
    alfont_textout_ex(bmp, f, sample, 5, 160, 0xffff00, -1);
}

// Run on the game's face (CFF outlines) and on a TrueType face, whose
// hinting runs bytecode per size.
class store_test : public ::testing::TestWithParam<const char *> {
protected:
    void SetUp() override
    {
        headless();
        if (access(GetParam(), R_OK) != 0)
            GTEST_SKIP() << "font missing: " << GetParam();
    }
    void TearDown() override { solid_mode(); }
};

// The race HUD's heights, the menus' heights, then two heights that settle
// on one pixel size.  Every step draws and fills the same glyphs, so a step
// at a pixel size met before must not call FreeType at all; its pixels and
// entries must match a fresh font that rendered everything with FreeType.
TEST_P(store_test, height_changes_draw_exactly_what_a_font_without_store_draws)
{
    const int heights[] = {75, 20, 35, 75, 20, 35, 75, 20, 35, 50, 35, 60, 30, 32, 75, 50, 35, 60, 30, 32, 75, 19, 20, 19};
    ALFONT_FONT *f = alfont_load_font(GetParam());
    ASSERT_NE(f, nullptr);
    std::set<int> sizes_met;
    int steps = 0;
    for (int h : heights) {
        std::string where = "step " + std::to_string(steps++) + ", height " + std::to_string(h);
        SCOPED_TRACE(where);
        ASSERT_EQ(alfont_set_font_size(f, h), 0);
        bool warm = sizes_met.count(f->pixel_size) > 0;
        sizes_met.insert(f->pixel_size);

        bitmap_holder got(1000, 240, 0);
        long loads = glyph_loads;
        draw_sample(got, f);
        if (warm)
            EXPECT_EQ(glyph_loads, loads) << "a size met before called FreeType";
        else
            EXPECT_GT(glyph_loads, loads);

        ALFONT_FONT *fresh = alfont_load_font(GetParam());
        ASSERT_EQ(alfont_set_font_size(fresh, h), 0);
        ASSERT_EQ(fresh->pixel_size, f->pixel_size);
        EXPECT_EQ(fresh->ascent, f->ascent);
        bitmap_holder want(1000, 240, 0);
        draw_sample(want, fresh);
        EXPECT_TRUE(same_pixels(got, want));
        EXPECT_EQ(alfont_text_length(f, sample), alfont_text_length(fresh, sample));
        for (long g = 0; g < f->ft_face->num_glyphs; g++) {
            ASSERT_EQ(f->glyphs[g].cached, fresh->glyphs[g].cached) << "glyph " << g;
            if (f->glyphs[g].cached)
                expect_same_entry(f->glyphs[g], fresh->glyphs[g], "glyph " + std::to_string(g));
        }
        alfont_destroy_font(fresh);
    }
    alfont_destroy_font(f);
}

// Nine pixel sizes one after another: the oldest has been given up for the
// newest and renders afresh, the most recent ones refill from the store, and
// destroying the font gives back every allocation, store included.
TEST_P(store_test, keeps_the_recent_sizes_and_releases_them_with_the_font)
{
    long before = live_allocations;
    ALFONT_FONT *f = alfont_load_font(GetParam());
    ASSERT_NE(f, nullptr);
    const int heights[] = {20, 30, 40, 50, 60, 70, 80, 90, 100};
    for (int h : heights) {
        ASSERT_EQ(alfont_set_font_size(f, h), 0);
        alfont_text_length(f, sample);
    }
    struct { int height; bool refilled; } cases[] = {{90, true}, {30, true}, {20, false}};
    for (auto c : cases) {
        ASSERT_EQ(alfont_set_font_size(f, c.height), 0);
        long loads = glyph_loads;
        alfont_text_length(f, sample);
        EXPECT_EQ(glyph_loads == loads, c.refilled) << "height " << c.height;
    }
    alfont_destroy_font(f);
    EXPECT_EQ(live_allocations, before);
}

INSTANTIATE_TEST_SUITE_P(fonts, store_test, ::testing::Values(yanone_path, dejavu_path));

// A glyph rendered while memory ran out, in the table's buffers or in the
// store's copies, is not kept: when its size comes back FreeType renders it
// whole again.  Nothing is lost on the way.
TEST(store, glyph_short_of_memory_is_not_kept)
{
    headless();
    // With the size's slot set up by "T", filling "H" allocates the entry's
    // mono and anti-aliased buffers, then the store's copies of both.
    const char *failing[] = {"table's mono buffer", "table's anti-aliased buffer", "store's mono copy",
                             "store's anti-aliased copy"};
    for (int n = 0; n < 4; n++) {
        SCOPED_TRACE(failing[n]);
        long before = live_allocations;
        ALFONT_FONT *f = alfont_load_font(yanone_path);
        ASSERT_NE(f, nullptr);
        ASSERT_EQ(alfont_set_font_size(f, 35), 0);
        alfont_text_length(f, "T");
        fail_allocation_after(n);
        alfont_text_length(f, "H");
        EXPECT_FALSE(allocation_failure_pending());
        fail_allocation_after(-1);

        ASSERT_EQ(alfont_set_font_size(f, 50), 0);
        ASSERT_EQ(alfont_set_font_size(f, 35), 0);
        long loads = glyph_loads;
        alfont_text_length(f, "T");
        EXPECT_EQ(glyph_loads, loads) << "T was kept";
        alfont_text_length(f, "H");
        EXPECT_EQ(glyph_loads, loads + 1) << "H was not kept";

        ALFONT_FONT *fresh = alfont_load_font(yanone_path);
        ASSERT_EQ(alfont_set_font_size(fresh, 35), 0);
        alfont_text_length(fresh, "H");
        FT_UInt h = FT_Get_Char_Index(f->ft_face, 'H');
        expect_same_entry(f->glyphs[h], fresh->glyphs[h], "H");
        alfont_destroy_font(fresh);
        alfont_destroy_font(f);
        EXPECT_EQ(live_allocations, before);
    }
}

// A glyph larger than the whole store (a few megabytes) is not kept, and it does not drive
// out the glyphs kept at other sizes.
TEST(store, huge_glyph_is_not_kept_and_drives_out_nothing)
{
    headless();
    ALFONT_FONT *f = alfont_load_font(yanone_path);
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(alfont_set_font_size(f, 20), 0);
    alfont_text_length(f, sample);
    ASSERT_EQ(alfont_set_font_size(f, 5000), 0);
    alfont_text_length(f, "W");
    const ALFONT_GLYPH &w = f->glyphs[FT_Get_Char_Index(f->ft_face, 'W')];
    ASSERT_GT((long)w.aa_width * w.aa_height, 8L << 20);

    ASSERT_EQ(alfont_set_font_size(f, 20), 0);
    long loads = glyph_loads;
    alfont_text_length(f, sample);
    EXPECT_EQ(glyph_loads, loads);
    ASSERT_EQ(alfont_set_font_size(f, 5000), 0);
    alfont_text_length(f, "W");
    EXPECT_EQ(glyph_loads, loads + 1);
    alfont_destroy_font(f);
}

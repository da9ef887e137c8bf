// Fonts: the library, loading, the size search and the glyph table.
#include "text_support.h"

#include <string.h>

// --- library ------------------------------------------------------------------

TEST(library, init_twice_keeps_one_library_and_exit_releases_it)
{
    headless();
    FT_Library first = ft_library;
    EXPECT_EQ(alfont_init(), 0);
    EXPECT_EQ(ft_library, first);
    EXPECT_EQ(alfont_inited, 1);

    alfont_exit();
    EXPECT_EQ(alfont_inited, 0);
    EXPECT_EQ(ft_library, nullptr);
    alfont_exit(); // not initialised: nothing happens

    EXPECT_EQ(alfont_init(), 0);
    EXPECT_NE(ft_library, nullptr);
}

TEST(library, text_mode_returns_the_previous_mode)
{
    int start = alfont_text_mode(-1);
    EXPECT_EQ(alfont_text_mode(0x123456), -1);
    EXPECT_EQ(alfont_text_mode(start), 0x123456);
}

// --- loading ------------------------------------------------------------------

TEST_F(yanone_test, fresh_scalable_font)
{
    EXPECT_EQ(alfont_get_font_height(font), 8);
    EXPECT_EQ(alfont_text_height(font), 8);
    EXPECT_EQ(alfont_get_char_extra_spacing(font), 0);
    EXPECT_EQ(alfont_is_scalable_font(font), -1);
    EXPECT_EQ(alfont_is_fixed_font(font), 0);
    EXPECT_EQ(alfont_get_nof_available_fixed_sizes(font), -1);
    int *sizes = alfont_get_available_fixed_sizes(font);
    ASSERT_NE(sizes, nullptr);
    EXPECT_EQ(sizes[0], -1);
    EXPECT_EQ(font->font_data, nullptr);
    EXPECT_EQ(font->font_data_size, 0);
}

TEST(loading, fixed_size_font_starts_at_its_listed_height)
{
    headless();
    std::string path = write_bdf("fixed", 10, 8, 2, "ISO10646");
    ALFONT_FONT *f = alfont_load_font(path.c_str());
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(alfont_get_font_height(f), 10);
    EXPECT_EQ(alfont_is_fixed_font(f), -1); // Allegro's TRUE, not 1
    EXPECT_EQ(alfont_is_scalable_font(f), 0);
    EXPECT_EQ(alfont_get_nof_available_fixed_sizes(f), 1);
    int *sizes = alfont_get_available_fixed_sizes(f);
    EXPECT_EQ(sizes, f->fixed_list);
    EXPECT_EQ(sizes[0], 10);
    EXPECT_EQ(sizes[1], -1);
    // Only its one size exists: another height fails and changes nothing.
    EXPECT_EQ(alfont_set_font_size(f, 12), -1);
    EXPECT_EQ(alfont_get_font_height(f), 10);
    alfont_destroy_font(f);
}

TEST(loading, unreadable_fonts_give_null)
{
    headless();
    EXPECT_EQ(alfont_load_font("/nonexistent/airstream.ttf"), nullptr);
    const char junk[] = "not a font at all, just some bytes";
    EXPECT_EQ(alfont_load_font_from_mem(junk, sizeof junk), nullptr);
    EXPECT_EQ(alfont_load_font_from_mem(junk, 0), nullptr);
    EXPECT_EQ(alfont_load_font_from_mem(junk, -5), nullptr);
    alfont_destroy_font(nullptr); // ignored
}

TEST(loading, memory_font_keeps_its_own_copy)
{
    headless();
    std::vector<char> bytes = read_file(yanone_path);
    ASSERT_FALSE(bytes.empty());
    ALFONT_FONT *f = alfont_load_font_from_mem(bytes.data(), (int)bytes.size());
    ASSERT_NE(f, nullptr);
    EXPECT_NE(f->font_data, bytes.data());
    EXPECT_EQ(f->font_data_size, (int)bytes.size());

    // The caller's buffer is wiped and released right away.
    memset(bytes.data(), 0, bytes.size());
    std::vector<char>().swap(bytes);

    ALFONT_FONT *file_font = alfont_load_font(yanone_path);
    ASSERT_EQ(alfont_set_font_size(f, 30), 0);
    ASSERT_EQ(alfont_set_font_size(file_font, 30), 0);
    EXPECT_GT(alfont_text_length(f, "Tavuna"), 0);
    EXPECT_EQ(alfont_text_length(f, "Tavuna"), alfont_text_length(file_font, "Tavuna"));
    alfont_destroy_font(file_font);
    alfont_destroy_font(f);
}

// Every allocation of a load is made to fail in turn: the load gives null
// and gives back all it took.
TEST(loading, failed_allocations_release_everything)
{
    headless();
    std::vector<char> bytes = read_file(yanone_path);
    int failures = 0;
    for (int n = 0; n < 20; n++) {
        long before = live_allocations;
        fail_allocation_after(n);
        ALFONT_FONT *f = alfont_load_font_from_mem(bytes.data(), (int)bytes.size());
        bool failed_one = !allocation_failure_pending();
        fail_allocation_after(-1);
        if (!failed_one) {
            ASSERT_NE(f, nullptr);
            alfont_destroy_font(f);
            EXPECT_EQ(live_allocations, before);
            break;
        }
        EXPECT_EQ(f, nullptr) << "allocation " << n << " failed";
        EXPECT_EQ(live_allocations, before) << "allocation " << n << " failed";
        failures++;
    }
    EXPECT_GE(failures, 4); // record, byte copy, glyph table, fixed sizes
}

// --- size search ----------------------------------------------------------------

// The pixel size the search must settle on, from the font heights of the
// sizes around h: the first size whose height is h going from h towards
// it, else the largest size whose height is below h; 0 when none.
static int expected_pixel_size(ref_face &ref, int h)
{
    int at_h = ref.height_at(h);
    if (at_h == h)
        return h;
    if (at_h < h) {
        int s = h;
        while (ref.height_at(s + 1) < h)
            s++;
        return ref.height_at(s + 1) == h ? s + 1 : s;
    }
    for (int s = h - 1; s >= 1; s--)
        if (ref.height_at(s) <= h)
            return s;
    return 0;
}

static int ref_text_length(ref_face &ref, const char *text)
{
    int len = 0;
    for (const char *p = text; *p; p++)
        len += ref.advance(FT_Get_Char_Index(ref.face, (unsigned char)*p));
    return len;
}

TEST_F(yanone_test, size_search_settles_where_freetype_says)
{
    ref_face ref(yanone_path);
    ASSERT_NE(ref.face, nullptr);
    // The game's heights and a few more; with this face 20, 30 and 75 walk
    // upwards past sizes that are too small, 6 steps down one size.
    const int heights[] = {20, 30, 32, 35, 50, 60, 70, 75, 80, 6, 11, 19};
    bool walked_up = false, walked_down = false;
    for (int h : heights) {
        SCOPED_TRACE(h);
        int s = expected_pixel_size(ref, h);
        ASSERT_GT(s, 0);
        walked_up |= s > h;
        walked_down |= s < h && ref.height_at(h) > h;

        ASSERT_EQ(alfont_set_font_size(font, h), 0);
        EXPECT_EQ(alfont_get_font_height(font), h);
        EXPECT_EQ(alfont_text_height(font), h);
        EXPECT_EQ(font->pixel_size, s);

        ref.height_at(s);
        EXPECT_EQ(font->ascent, (int)(ref.face->size->metrics.ascender >> 6));
        EXPECT_EQ(font->ft_face->size->metrics.y_ppem, s);
        const char *text = "Tavuna: Carrier, Practice & Multiplayer 0123456789";
        EXPECT_EQ(alfont_text_length(font, text), ref_text_length(ref, text));
    }
    EXPECT_TRUE(walked_up);
    EXPECT_TRUE(walked_down);
}

TEST_F(yanone_test, search_falling_below_size_one_fails_and_keeps_everything)
{
    ref_face ref(yanone_path);
    ASSERT_GT(ref.height_at(1), 1); // even size 1 is taller than 1 pixel
    ASSERT_EQ(expected_pixel_size(ref, 1), 0);

    ASSERT_EQ(alfont_set_font_size(font, 30), 0);
    int len = alfont_text_length(font, "Tavuna");
    FT_UInt t = FT_Get_Char_Index(font->ft_face, 'T');
    unsigned char *pixels = font->glyphs[t].aa_pixels;
    int pixel_size = font->pixel_size, ascent = font->ascent;

    EXPECT_EQ(alfont_set_font_size(font, 1), -1);
    EXPECT_EQ(alfont_get_font_height(font), 30);
    EXPECT_EQ(font->pixel_size, pixel_size);
    EXPECT_EQ(font->ascent, ascent);
    EXPECT_EQ(font->ft_face->size->metrics.y_ppem, pixel_size); // the face is back at its size
    EXPECT_TRUE(font->glyphs[t].cached);
    EXPECT_EQ(font->glyphs[t].aa_pixels, pixels);
    EXPECT_EQ(alfont_text_length(font, "Tavuna"), len);
}

TEST_F(yanone_test, same_height_keeps_the_table_and_a_new_height_flushes_it)
{
    ref_face ref(yanone_path);
    // 19 and 20 both settle on pixel size 20 with this face.
    ASSERT_EQ(expected_pixel_size(ref, 19), expected_pixel_size(ref, 20));

    ASSERT_EQ(alfont_set_font_size(font, 19), 0);
    alfont_text_length(font, "T");
    FT_UInt t = FT_Get_Char_Index(font->ft_face, 'T');
    ASSERT_TRUE(font->glyphs[t].cached);
    unsigned char *pixels = font->glyphs[t].mono_pixels;

    EXPECT_EQ(alfont_set_font_size(font, 19), 0);
    EXPECT_TRUE(font->glyphs[t].cached);
    EXPECT_EQ(font->glyphs[t].mono_pixels, pixels);

    EXPECT_EQ(alfont_set_font_size(font, 20), 0);
    EXPECT_FALSE(font->glyphs[t].cached);
    EXPECT_EQ(font->glyphs[t].mono_pixels, nullptr);
    EXPECT_EQ(font->glyphs[t].aa_pixels, nullptr);
}

TEST_F(yanone_test, zero_and_negative_heights_change_nothing)
{
    ASSERT_EQ(alfont_set_font_size(font, 30), 0);
    alfont_text_length(font, "T");
    FT_UInt t = FT_Get_Char_Index(font->ft_face, 'T');
    for (int h : {0, -1, -30}) {
        EXPECT_EQ(alfont_set_font_size(font, h), -1) << h;
        EXPECT_EQ(alfont_get_font_height(font), 30);
        EXPECT_TRUE(font->glyphs[t].cached);
    }
}

TEST_F(yanone_test, heights_beyond_freetypes_largest_size_fail)
{
    ASSERT_EQ(alfont_set_font_size(font, 30), 0);
    EXPECT_EQ(alfont_set_font_size(font, 0x7fffffff), -1);
    EXPECT_EQ(alfont_get_font_height(font), 30);
    EXPECT_EQ(font->ft_face->size->metrics.y_ppem, font->pixel_size);
}

TEST(sizes, height_zero_is_current_while_no_size_was_ever_set)
{
    headless();
    // FreeType takes only pixel size 12, but the listed height is 10, so the
    // first size at load fails and the height stays 0.
    std::string path = write_bdf("unset", 12, 8, 2, "ISO10646");
    ALFONT_FONT *f = alfont_load_font(path.c_str());
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(alfont_get_font_height(f), 0);
    EXPECT_EQ(alfont_set_font_size(f, 0), 0);
    EXPECT_EQ(alfont_set_font_size(f, -2), -1);
    alfont_destroy_font(f);
}

TEST_F(yanone_test, extra_spacing_is_clamped_and_added_after_advancing_glyphs)
{
    const struct {
        int given, stored;
    } cases[] = {{-5, 0}, {0, 0}, {7, 7}, {4096, 4096}, {5000, 4096}};
    for (auto c : cases) {
        alfont_set_char_extra_spacing(font, c.given);
        EXPECT_EQ(alfont_get_char_extra_spacing(font), c.stored) << c.given;
    }

    ASSERT_EQ(alfont_set_font_size(font, 30), 0);
    alfont_set_char_extra_spacing(font, 0);
    int plain = alfont_text_length(font, "abc");
    alfont_set_char_extra_spacing(font, 5);
    EXPECT_EQ(alfont_text_length(font, "abc"), plain + 15);
}

TEST_F(yanone_test, zero_advance_glyphs_add_no_spacing)
{
    FT_UInt mark = FT_Get_Char_Index(font->ft_face, 0x301); // combining acute
    ASSERT_EQ(alfont_set_font_size(font, 30), 0);
    alfont_text_length(font, "\xcc\x81");
    if (mark == 0 || font->glyphs[mark].advance_x != 0)
        GTEST_SKIP() << "this face has no zero-advance combining acute";
    alfont_set_char_extra_spacing(font, 5);
    EXPECT_EQ(alfont_text_length(font, "e\xcc\x81"), alfont_text_length(font, "e"));
    EXPECT_EQ(alfont_text_length(font, "\xcc\x81"), 0);
}

// --- glyph table ----------------------------------------------------------------

TEST_F(yanone_test, missing_character_is_glyph_zero)
{
    ref_face ref(yanone_path);
    ASSERT_EQ(FT_Get_Char_Index(ref.face, 0x4e00), 0u); // a CJK ideograph the face lacks
    ASSERT_EQ(alfont_set_font_size(font, 35), 0);
    ref.height_at(font->pixel_size);
    EXPECT_EQ(alfont_text_length(font, "\xe4\xb8\x80"), ref.advance(0));
    EXPECT_TRUE(font->glyphs[0].cached);
}

TEST_F(yanone_test, outline_glyph_gets_both_forms_and_a_space_no_ink)
{
    ASSERT_EQ(alfont_set_font_size(font, 35), 0);
    alfont_text_length(font, "H ");
    const ALFONT_GLYPH &h = font->glyphs[FT_Get_Char_Index(font->ft_face, 'H')];
    EXPECT_EQ(h.has_mono, 1);
    EXPECT_EQ(h.has_aa, 1);
    EXPECT_NE(h.mono_pixels, nullptr);
    EXPECT_NE(h.aa_pixels, nullptr);
    EXPECT_GT(h.aa_width, 0);
    EXPECT_GT(h.advance_x, 0);
    int full = 0;
    for (int i = 0; i < h.aa_width * h.aa_height; i++)
        full += h.aa_pixels[i] == 255;
    EXPECT_GT(full, 0); // coverage spans the whole 0..255 range

    // A space has no ink (FreeType may still give its one-bit form one blank pixel).
    const ALFONT_GLYPH &space = font->glyphs[FT_Get_Char_Index(font->ft_face, ' ')];
    EXPECT_TRUE(space.cached);
    EXPECT_EQ(space.aa_pixels, nullptr);
    for (int i = 0; space.mono_pixels && i < space.mono_width * space.mono_height; i++)
        EXPECT_EQ(space.mono_pixels[i], 0);
    EXPECT_GT(space.advance_x, 0);
}

TEST(glyphs, bitmap_font_gives_the_mono_form_only)
{
    headless();
    std::string path = write_bdf("forms", 10, 8, 2, "ISO10646");
    ALFONT_FONT *f = alfont_load_font(path.c_str());
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(alfont_text_length(f, "A A"), 18);
    const ALFONT_GLYPH &a = f->glyphs[FT_Get_Char_Index(f->ft_face, 'A')];
    EXPECT_EQ(a.has_mono, 1);
    EXPECT_EQ(a.has_aa, 0);
    EXPECT_EQ(a.aa_pixels, nullptr);
    ASSERT_EQ(a.mono_width, 4);
    ASSERT_EQ(a.mono_height, 6);
    EXPECT_EQ(a.mono_left, 1);
    EXPECT_EQ(a.mono_top, 6);
    const char *rows[] = {"####", "#..#", "####", "#..#", "#..#", "#..#"};
    for (int r = 0; r < 6; r++)
        for (int c = 0; c < 4; c++)
            EXPECT_EQ(a.mono_pixels[r * 4 + c] != 0, rows[r][c] == '#') << r << "," << c;
    alfont_destroy_font(f);
}

TEST(glyphs, face_without_character_map_indexes_glyphs_by_code)
{
    headless();
    std::string path = write_bdf("nomap", 10, 8, 2, "TAVUNA");
    ALFONT_FONT *f = alfont_load_font(path.c_str());
    ASSERT_NE(f, nullptr);
    if (f->ft_face->charmap != nullptr) {
        alfont_destroy_font(f);
        GTEST_SKIP() << "FreeType selected a character map for this BDF";
    }
    ASSERT_LT(f->ft_face->num_glyphs, 'A');
    // 'A' is beyond the glyph table: nothing measured, drawn, or advanced.
    int glyph = alfont_text_length(f, "\x02");
    EXPECT_EQ(glyph, 6);
    EXPECT_EQ(alfont_text_length(f, "A"), 0);
    EXPECT_EQ(alfont_text_length(f, "A\x02" "A"), glyph);

    bitmap_holder a(40, 12, 0), b(40, 12, 0);
    alfont_textout_ex(a, f, "A\x02", 2, 0, 0xffffff, -1);
    alfont_textout_ex(b, f, "\x02", 2, 0, 0xffffff, -1);
    EXPECT_TRUE(same_pixels(a, b));
    alfont_destroy_font(f);
}

TEST_F(yanone_test, glyph_without_memory_for_a_form_still_advances)
{
    ASSERT_EQ(alfont_set_font_size(font, 35), 0);
    FT_UInt h = FT_Get_Char_Index(font->ft_face, 'H');
    int whole = alfont_text_length(font, "H");
    ASSERT_EQ(alfont_set_font_size(font, 50), 0);
    ASSERT_EQ(alfont_set_font_size(font, 35), 0);

    fail_allocation_after(0); // the mono buffer
    EXPECT_EQ(alfont_text_length(font, "H"), whole);
    fail_allocation_after(-1);
    const ALFONT_GLYPH &g = font->glyphs[h];
    EXPECT_EQ(g.has_mono, 0);
    EXPECT_EQ(g.mono_pixels, nullptr);
    EXPECT_EQ(g.has_aa, 1);
    EXPECT_NE(g.aa_pixels, nullptr);

    // The mono core draws nothing for it but still moves on.
    bitmap_holder bmp(200, 60, 0);
    alfont_textout_ex(bmp, font, "H", 10, 0, 0xffffff, -1);
    for (int y = 0; y < 60; y++)
        for (int x = 0; x < 200; x++)
            ASSERT_EQ(getpixel(bmp, x, y), 0);
}

// FreeType gives a glyph without bitmap rows a sized bitmap without pixels.
TEST(glyphs, bitmap_without_pixels_makes_no_form_and_still_advances)
{
    headless();
    std::string path = write_bdf("damaged", 10, 8, 2, "ISO10646", false);
    ALFONT_FONT *f = alfont_load_font(path.c_str());
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(alfont_text_length(f, " A"), 12);
    const ALFONT_GLYPH &space = f->glyphs[FT_Get_Char_Index(f->ft_face, ' ')];
    EXPECT_EQ(space.has_mono, 0);
    EXPECT_EQ(space.mono_pixels, nullptr);

    bitmap_holder damaged(30, 20, 0), whole(30, 20, 0);
    alfont_textout_ex(damaged, f, " A", 3, 1, 0xffffff, -1);
    alfont_textout_ex(whole, f, "A", 3 + 6, 1, 0xffffff, -1);
    EXPECT_TRUE(same_pixels(damaged, whole));
    alfont_destroy_font(f);
}

// A damaged font can settle the size search on an enormous pixel size; its
// outlines would render to bitmaps of gigabytes.  Such glyphs get no form
// but still measure: here a real font at a height of 20000 pixels.
TEST_F(yanone_test, glyph_too_big_to_render_has_no_form_and_still_advances)
{
    ASSERT_EQ(alfont_set_font_size(font, 20000), 0);
    long before = live_allocations;
    EXPECT_GT(alfont_text_length(font, "H"), 1000);
    const ALFONT_GLYPH &g = font->glyphs[FT_Get_Char_Index(font->ft_face, 'H')];
    EXPECT_EQ(g.cached, 1);
    EXPECT_EQ(g.has_mono, 0);
    EXPECT_EQ(g.has_aa, 0);
    EXPECT_EQ(g.aa_pixels, nullptr);
    EXPECT_LT(live_allocations - before, 4) << "no pixel buffers were kept";
    bitmap_holder bmp(100, 100, 0);
    alfont_textout_aa(bmp, font, "H", 0, -5000, 0xffffff);
    for (int y = 0; y < 100; y++)
        for (int x = 0; x < 100; x++)
            ASSERT_EQ(getpixel(bmp, x, y), 0);
}

#include "text_support.h"

#include <errno.h>
#include <stdio.h>
#include <stdlib.h>

#include <fstream>
#include <iterator>

const char *const yanone_path = "/usr/share/fonts/opentype/yanone-kaffeesatz/YanoneKaffeesatz-Bold.otf";

void headless()
{
    static bool done = false;
    if (!done) {
        install_allegro(SYSTEM_NONE, &errno, atexit);
        set_color_depth(32);
        done = true;
    }
    ASSERT_EQ(alfont_init(), 0);
}

std::string write_bdf(const char *name, int pixel_size, int ascent, int descent, const char *registry,
                      bool space_bitmap)
{
    std::string dir = ::testing::TempDir();
    std::string path = dir + (dir.empty() || dir.back() == '/' ? "" : "/") + name + ".bdf";
    FILE *out = fopen(path.c_str(), "w");
    if (!out)
        return path;
    fprintf(out,
            "STARTFONT 2.1\n"
            "FONT -test-tiny-medium-r-normal--%d-100-75-75-c-60-%s-1\n"
            "SIZE %d 75 75\n"
            "FONTBOUNDINGBOX 6 %d 0 %d\n"
            "STARTPROPERTIES 5\n"
            "PIXEL_SIZE %d\n"
            "FONT_ASCENT %d\n"
            "FONT_DESCENT %d\n"
            "CHARSET_REGISTRY \"%s\"\n"
            "CHARSET_ENCODING \"1\"\n"
            "ENDPROPERTIES\n"
            "CHARS 2\n"
            "STARTCHAR space\nENCODING 32\nSWIDTH 600 0\nDWIDTH 6 0\nBBX 1 1 0 0\n%sENDCHAR\n"
            // A 4 x 6 box open at the bottom, its bars at rows 0 and 2.
            "STARTCHAR A\nENCODING 65\nSWIDTH 600 0\nDWIDTH 6 0\nBBX 4 6 1 0\nBITMAP\n"
            "F0\n90\nF0\n90\n90\n90\nENDCHAR\n"
            "ENDFONT\n",
            pixel_size, registry, pixel_size, ascent + descent, -descent, pixel_size, ascent, descent, registry,
            space_bitmap ? "BITMAP\n00\n" : "");
    fclose(out);
    return path;
}

std::vector<char> read_file(const char *path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

ref_face::ref_face(const char *path)
{
    FT_Init_FreeType(&lib);
    if (FT_New_Face(lib, path, 0, &face) != 0)
        face = nullptr;
}

ref_face::~ref_face()
{
    if (face)
        FT_Done_Face(face);
    FT_Done_FreeType(lib);
}

int ref_face::height_at(int s)
{
    if (FT_Set_Pixel_Sizes(face, 0, s) != 0)
        return -1;
    return abs((int)(face->size->metrics.ascender >> 6)) + abs((int)(face->size->metrics.descender >> 6));
}

int ref_face::advance(FT_UInt glyph)
{
    if (FT_Load_Glyph(face, glyph, FT_LOAD_DEFAULT) != 0)
        return 0;
    return (int)(face->glyph->advance.x >> 6);
}

// --- allocation failures -------------------------------------------------

long live_allocations = 0;
static int allocations_before_failure = -1;

void fail_allocation_after(int n)
{
    allocations_before_failure = n;
}

bool allocation_failure_pending()
{
    return allocations_before_failure >= 0;
}

// True when this allocation is the one set to fail.
static bool failing_now()
{
    if (allocations_before_failure < 0)
        return false;
    return allocations_before_failure-- == 0;
}

extern "C" {
void *__real_malloc(size_t n);
void *__real_calloc(size_t count, size_t n);
void __real_free(void *p);

void *__wrap_malloc(size_t n)
{
    if (failing_now())
        return nullptr;
    void *p = __real_malloc(n);
    live_allocations += p != nullptr;
    return p;
}

void *__wrap_calloc(size_t count, size_t n)
{
    if (failing_now())
        return nullptr;
    void *p = __real_calloc(count, n);
    live_allocations += p != nullptr;
    return p;
}

void __wrap_free(void *p)
{
    live_allocations -= p != nullptr;
    __real_free(p);
}
}

// --- bitmaps --------------------------------------------------------------

bitmap_holder::bitmap_holder(int w, int h, int fill)
{
    bmp = create_bitmap(w, h);
    clear_to_color(bmp, fill);
}

bool same_pixels(BITMAP *a, BITMAP *b)
{
    if (a->w != b->w || a->h != b->h)
        return false;
    for (int y = 0; y < a->h; y++)
        for (int x = 0; x < a->w; x++)
            if (getpixel(a, x, y) != getpixel(b, x, y))
                return false;
    return true;
}

void yanone_test::SetUp()
{
    headless();
    font = alfont_load_font(yanone_path);
    ASSERT_NE(font, nullptr) << "the game's font face is missing: " << yanone_path;
}

void yanone_test::TearDown()
{
    alfont_destroy_font(font);
    solid_mode();
}

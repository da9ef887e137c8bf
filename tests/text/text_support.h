// Shared set-up for the text layer's tests: headless Allegro, the real
// fonts, a tiny BDF font written to a temporary folder, and FreeType
// opened independently to compute what the layer should do.
#ifndef TEXT_SUPPORT_H
#define TEXT_SUPPORT_H

#include "alfont_internal.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

extern const char *const yanone_path; // the game's font face

// Allegro without a display, 32-bit colour, and the layer initialised.
void headless();

// Writes a BDF font with glyphs for ' ' and 'A' and returns its path.
// pixel_size is the size FreeType accepts; ascent + descent the listed height.
// A damaged font can leave out the space's bitmap section.
std::string write_bdf(const char *name, int pixel_size, int ascent, int descent, const char *registry,
                      bool space_bitmap = true);

std::vector<char> read_file(const char *path);

// A second, independent FreeType view of a font file.
struct ref_face {
    FT_Library lib = nullptr;
    FT_Face face = nullptr;
    explicit ref_face(const char *path);
    ~ref_face();
    int height_at(int s); // whole ascender + whole descender at pixel size s
    int advance(FT_UInt glyph); // whole-pixel advance at the current size
};

// Counts of allocations made by code linked into the tests, and a way to
// make the next ones fail (malloc/calloc are wrapped at link time).
extern long live_allocations;
void fail_allocation_after(int n); // n allocations succeed, the next one fails
bool allocation_failure_pending();

struct bitmap_holder {
    BITMAP *bmp;
    bitmap_holder(int w, int h, int fill);
    ~bitmap_holder() { destroy_bitmap(bmp); }
    operator BITMAP *() const { return bmp; }
};

bool same_pixels(BITMAP *a, BITMAP *b);

// Fixture with the game's font loaded from its file.
class yanone_test : public ::testing::Test {
protected:
    ALFONT_FONT *font = nullptr;
    void SetUp() override;
    void TearDown() override;
};

#endif

/* alfont internals: the font and glyph records and the library-wide state.
 * Not part of the public interface; callers use alfont.h only.  The layer's
 * own tests include this header to look inside a font.
 */
#ifndef ALFONT_INTERNAL_H
#define ALFONT_INTERNAL_H

#include "alfont.h"

#include <ft2build.h>
#include FT_FREETYPE_H

/* One entry of a font's glyph table, filled on first use at the current size. */
struct ALFONT_GLYPH {
    char cached;          /* non-zero once filled for the current size */
    int mono_width, mono_height;
    int aa_width, aa_height;
    int mono_left, mono_top; /* bearings: pen x to first column, baseline up to first row */
    int aa_left, aa_top;
    int advance_x, advance_y; /* whole pixels */
    int has_mono, has_aa;
    unsigned char *mono_pixels; /* mono_width * mono_height bytes, 0 = no ink */
    unsigned char *aa_pixels;   /* aa_width * aa_height coverage bytes */
};

/* Glyphs rendered at one pixel size, kept so that the table can refill from
 * here instead of from FreeType when that size comes back. */
struct ALFONT_STORE_SLOT {
    int pixel_size;          /* the size the glyphs were rendered at */
    unsigned long last_use;  /* the font's store clock when last used */
    ALFONT_GLYPH *glyphs;    /* num_glyphs kept copies, cached = kept; NULL: slot unused */
    size_t bytes;            /* pixel bytes the kept copies hold */
};

/* The race and the menus use seven text heights between them. */
enum { ALFONT_STORE_SLOTS = 8 };

struct ALFONT_FONT {
    FT_Face ft_face;
    int height;        /* last requested text height, 0 until the first success */
    int pixel_size;    /* FreeType pixel height chosen for height */
    int ascent;        /* size ascender in whole pixels, rounded down */
    char *font_data;   /* own copy of the bytes of a font loaded from memory */
    int font_data_size;
    int extra_spacing; /* 0..4096, added after every glyph that moves the pen */
    int fixed_count;   /* -1 for a scalable face, else num_fixed_sizes */
    ALFONT_GLYPH *glyphs; /* num_glyphs entries, indexed by glyph index */
    int *fixed_list;   /* fixed heights ended by -1; just -1 for a scalable face */
    /* Private store of rendered glyphs by pixel size: a change of height
     * empties the table, and the store spares FreeType re-rendering them. */
    ALFONT_STORE_SLOT store[ALFONT_STORE_SLOTS];
    unsigned long store_clock;
};

extern int alfont_inited;
extern FT_Library ft_library;
extern int alfont_textmode;

/* Fills glyph entry g of f at the current size unless it is filled already. */
void _alfont_cache_glyph(ALFONT_FONT *f, int g);

#endif

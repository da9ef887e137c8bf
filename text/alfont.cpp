/* alfont: fonts over FreeType 2, a one-size glyph cache, and text drawn
 * pixel by pixel onto Allegro 4 bitmaps.
 */
#include "alfont_internal.h"

#include FT_GLYPH_H

#include <stdarg.h>
#include <stdlib.h>
#include <string.h>

int alfont_inited = 0;
FT_Library ft_library = NULL;
int alfont_textmode = 0;

/* FreeType clamps larger pixel sizes to this one: a size search walking up
 * past it, on a face whose height never reaches the request, would not end. */
static const int max_pixel_size = 0xFFFF;

/* Pixel bytes a font's glyph store may hold: all of ASCII at the game's
 * heights takes about a megabyte, and a damaged font's huge glyphs are not
 * kept. */
static const size_t store_budget = 4 << 20;

/* ------------------------------------------------------------------ */
/* Library                                                            */

int alfont_init(void)
{
    if (alfont_inited)
        return 0;
    ft_library = NULL;
    int error = FT_Init_FreeType(&ft_library);
    if (error == 0)
        alfont_inited = 1;
    return error;
}

void alfont_exit(void)
{
    if (!alfont_inited)
        return;
    alfont_inited = 0;
    FT_Done_FreeType(ft_library);
    ft_library = NULL;
}

int alfont_text_mode(int mode)
{
    int previous = alfont_textmode;
    alfont_textmode = mode;
    return previous;
}

/* ------------------------------------------------------------------ */
/* Glyph table                                                        */

static void empty_glyph(ALFONT_GLYPH *g)
{
    free(g->mono_pixels);
    free(g->aa_pixels);
    g->mono_pixels = NULL;
    g->aa_pixels = NULL;
    g->cached = 0;
}

/* Empties every filled entry: they were made at a size no longer current. */
static void flush_glyphs(ALFONT_FONT *f)
{
    for (long i = 0; i < f->ft_face->num_glyphs; i++)
        if (f->glyphs[i].cached)
            empty_glyph(&f->glyphs[i]);
}

/* First byte of row r, top row first, whichever way FreeType stored the rows. */
static const unsigned char *bitmap_row(const FT_Bitmap *b, int r)
{
    const unsigned char *top = b->buffer;
    if (b->pitch < 0)
        top -= (long)b->pitch * (long)(b->rows - 1);
    return top + (long)b->pitch * r;
}

/* A rendered bitmap holds its rows: FreeType can hand over a sized bitmap
 * without pixels (for one from a damaged font), which makes no form. */
static bool has_rows(const FT_Bitmap *b, int row_bytes)
{
    if (b->width == 0 || b->rows == 0)
        return true;
    return b->buffer && abs(b->pitch) >= row_bytes;
}

/* A form's pixel buffer; NULL for an empty form or when memory ran out. */
static unsigned char *take_pixels(int width, int rows)
{
    if (width <= 0 || rows <= 0)
        return NULL;
    return (unsigned char *)malloc((size_t)width * (size_t)rows);
}

/* A damaged font can make the size search settle on a huge pixel size,
 * with outlines thousands of pixels across whose bitmaps would take
 * gigabytes; such a glyph gets no form.  16 M pixels is far beyond any
 * text height a program asks for. */
#define MAX_FORM_PIXELS (16L * 1024 * 1024)

static bool too_big_to_render(FT_Glyph glyph)
{
    if (glyph->format == FT_GLYPH_FORMAT_BITMAP)
        return false;
    FT_BBox box;
    FT_Glyph_Get_CBox(glyph, FT_GLYPH_BBOX_PIXELS, &box);
    double w = (double)box.xMax - box.xMin + 1, h = (double)box.yMax - box.yMin + 1;
    return w * h > MAX_FORM_PIXELS;
}

/* Renders a copy of glyph into bitmap form; NULL when FreeType cannot. */
static FT_BitmapGlyph render_copy(FT_Glyph glyph, FT_Render_Mode mode)
{
    FT_Glyph copy;
    if (too_big_to_render(glyph) || FT_Glyph_Copy(glyph, &copy) != 0)
        return NULL;
    if (copy->format != FT_GLYPH_FORMAT_BITMAP && FT_Glyph_To_Bitmap(&copy, mode, NULL, 1) != 0) {
        FT_Done_Glyph(copy);
        return NULL;
    }
    return (FT_BitmapGlyph)copy;
}

/* The one-bit form, one byte per pixel; made only from a one-bit bitmap.
 * False when FreeType or memory failed, so the result may differ next time. */
static bool make_mono(ALFONT_GLYPH *e, FT_Glyph glyph)
{
    FT_BitmapGlyph bg = render_copy(glyph, FT_RENDER_MODE_MONO);
    if (!bg)
        return false;
    bool whole = true;
    const FT_Bitmap *b = &bg->bitmap;
    if (b->pixel_mode == FT_PIXEL_MODE_MONO && has_rows(b, (b->width + 7) / 8)) {
        int w = b->width, rows = b->rows;
        unsigned char *px = take_pixels(w, rows);
        whole = px || w <= 0 || rows <= 0;
        if (whole) {
            e->has_mono = 1;
            e->mono_width = w;
            e->mono_height = rows;
            e->mono_left = bg->left;
            e->mono_top = bg->top;
            e->mono_pixels = px;
            for (int r = 0; px && r < rows; r++) {
                const unsigned char *src = bitmap_row(b, r);
                for (int c = 0; c < w; c++)
                    px[r * w + c] = src[c / 8] & (0x80 >> (c % 8));
            }
        }
    }
    FT_Done_Glyph((FT_Glyph)bg);
    return whole;
}

/* The anti-aliased form, coverage 0..255; made only from an 8-bit gray bitmap.
 * False when FreeType or memory failed. */
static bool make_aa(ALFONT_GLYPH *e, FT_Glyph glyph)
{
    FT_BitmapGlyph bg = render_copy(glyph, FT_RENDER_MODE_NORMAL);
    if (!bg)
        return false;
    bool whole = true;
    const FT_Bitmap *b = &bg->bitmap;
    if (b->pixel_mode == FT_PIXEL_MODE_GRAY && has_rows(b, b->width)) {
        int w = b->width, rows = b->rows;
        unsigned char *px = take_pixels(w, rows);
        whole = px || w <= 0 || rows <= 0;
        if (whole) {
            e->has_aa = 1;
            e->aa_width = w;
            e->aa_height = rows;
            e->aa_left = bg->left;
            e->aa_top = bg->top;
            e->aa_pixels = px;
            for (int r = 0; px && r < rows; r++)
                memcpy(px + r * w, bitmap_row(b, r), w);
            /* Bitmaps with fewer gray levels are stretched to the full range. */
            unsigned k = b->num_grays > 0 ? (256 / b->num_grays) & 0xFF : 0;
            if (px && k > 1)
                for (long i = 0; i < (long)w * rows; i++)
                    px[i] = (unsigned char)(px[i] * k);
        }
    }
    FT_Done_Glyph((FT_Glyph)bg);
    return whole;
}

/* ------------------------------------------------------------------ */
/* Glyph store                                                        */
/* The game changes the text height several times a frame, and each change
 * empties the table.  Every glyph FreeType renders whole is also kept here
 * under its pixel size, so that when the size comes back the entry is
 * refilled by copying bytes instead of loading and rendering it again.
 * A rendering depends only on the face's pixel size and the glyph, so the
 * copy is exactly what FreeType would give.  The store holds a few sizes
 * within a byte budget; the least recently used size goes first. */

static size_t form_bytes(int width, int rows)
{
    return width > 0 && rows > 0 ? (size_t)width * (size_t)rows : 0;
}

static size_t glyph_bytes(const ALFONT_GLYPH *e)
{
    return (e->mono_pixels ? form_bytes(e->mono_width, e->mono_height) : 0) +
           (e->aa_pixels ? form_bytes(e->aa_width, e->aa_height) : 0);
}

/* A copy of n pixel bytes; NULL for no pixels or when memory ran out. */
static unsigned char *copy_pixels(const unsigned char *px, size_t n)
{
    if (!px)
        return NULL;
    unsigned char *copy = (unsigned char *)malloc(n);
    if (copy)
        memcpy(copy, px, n);
    return copy;
}

static void empty_slot(ALFONT_FONT *f, ALFONT_STORE_SLOT *slot)
{
    if (!slot->glyphs)
        return;
    for (long i = 0; i < f->ft_face->num_glyphs; i++)
        if (slot->glyphs[i].cached)
            empty_glyph(&slot->glyphs[i]);
    free(slot->glyphs);
    *slot = ALFONT_STORE_SLOT();
}

/* The slot in use for pixel size s, marked as just used; NULL when none. */
static ALFONT_STORE_SLOT *find_slot(ALFONT_FONT *f, int s)
{
    for (ALFONT_STORE_SLOT &slot : f->store)
        if (slot.glyphs && slot.pixel_size == s) {
            slot.last_use = ++f->store_clock;
            return &slot;
        }
    return NULL;
}

/* The least recently used slot in use other than spare; NULL when none. */
static ALFONT_STORE_SLOT *oldest_slot(ALFONT_FONT *f, const ALFONT_STORE_SLOT *spare)
{
    ALFONT_STORE_SLOT *oldest = NULL;
    for (ALFONT_STORE_SLOT &slot : f->store)
        if (slot.glyphs && &slot != spare && (!oldest || slot.last_use < oldest->last_use))
            oldest = &slot;
    return oldest;
}

/* An unused slot set up for pixel size s, evicting the oldest size when all
 * are in use; NULL when memory ran out. */
static ALFONT_STORE_SLOT *new_slot(ALFONT_FONT *f, int s)
{
    ALFONT_STORE_SLOT *slot = f->store;
    while (slot < f->store + ALFONT_STORE_SLOTS && slot->glyphs)
        slot++;
    if (slot == f->store + ALFONT_STORE_SLOTS) {
        slot = oldest_slot(f, NULL);
        empty_slot(f, slot);
    }
    long n = f->ft_face->num_glyphs > 0 ? f->ft_face->num_glyphs : 1;
    slot->glyphs = (ALFONT_GLYPH *)calloc(n, sizeof(ALFONT_GLYPH));
    if (!slot->glyphs)
        return NULL;
    slot->pixel_size = s;
    slot->last_use = ++f->store_clock;
    return slot;
}

static size_t store_bytes(const ALFONT_FONT *f)
{
    size_t sum = 0;
    for (const ALFONT_STORE_SLOT &slot : f->store)
        sum += slot.bytes;
    return sum;
}

/* The slot for pixel size s with room for n more bytes, older sizes evicted
 * to make it; NULL when n does not fit or memory ran out. */
static ALFONT_STORE_SLOT *slot_with_room(ALFONT_FONT *f, int s, size_t n)
{
    if (n > store_budget)
        return NULL;
    ALFONT_STORE_SLOT *slot = find_slot(f, s);
    if (!slot)
        slot = new_slot(f, s);
    if (!slot)
        return NULL;
    for (ALFONT_STORE_SLOT *old; store_bytes(f) + n > store_budget && (old = oldest_slot(f, slot));)
        empty_slot(f, old);
    return store_bytes(f) + n <= store_budget ? slot : NULL;
}

/* Keeps a copy of entry g, just rendered whole at the current size. */
static void keep_glyph(ALFONT_FONT *f, int g, const ALFONT_GLYPH *e)
{
    ALFONT_STORE_SLOT *slot = slot_with_room(f, f->pixel_size, glyph_bytes(e));
    if (!slot)
        return;
    ALFONT_GLYPH kept = *e;
    kept.mono_pixels = copy_pixels(e->mono_pixels, form_bytes(e->mono_width, e->mono_height));
    kept.aa_pixels = copy_pixels(e->aa_pixels, form_bytes(e->aa_width, e->aa_height));
    if ((e->mono_pixels && !kept.mono_pixels) || (e->aa_pixels && !kept.aa_pixels)) {
        empty_glyph(&kept); // out of memory: simply not kept
        return;
    }
    slot->glyphs[g] = kept;
    slot->bytes += glyph_bytes(e);
}

/* The mono form of a kept copy into entry e, in a buffer of e's own.  As
 * when rendering, a form whose buffer cannot be had is left out. */
static void refill_mono(ALFONT_GLYPH *e, const ALFONT_GLYPH *kept)
{
    unsigned char *px = copy_pixels(kept->mono_pixels, form_bytes(kept->mono_width, kept->mono_height));
    if (kept->mono_pixels && !px)
        return;
    e->has_mono = 1;
    e->mono_width = kept->mono_width;
    e->mono_height = kept->mono_height;
    e->mono_left = kept->mono_left;
    e->mono_top = kept->mono_top;
    e->mono_pixels = px;
}

static void refill_aa(ALFONT_GLYPH *e, const ALFONT_GLYPH *kept)
{
    unsigned char *px = copy_pixels(kept->aa_pixels, form_bytes(kept->aa_width, kept->aa_height));
    if (kept->aa_pixels && !px)
        return;
    e->has_aa = 1;
    e->aa_width = kept->aa_width;
    e->aa_height = kept->aa_height;
    e->aa_left = kept->aa_left;
    e->aa_top = kept->aa_top;
    e->aa_pixels = px;
}

/* Fills empty entry g from the store, writing the fields a rendering
 * writes; false when the store keeps no copy at the current size. */
static bool refill_glyph(ALFONT_FONT *f, int g)
{
    ALFONT_STORE_SLOT *slot = find_slot(f, f->pixel_size);
    if (!slot || !slot->glyphs[g].cached)
        return false;
    const ALFONT_GLYPH *kept = &slot->glyphs[g];
    ALFONT_GLYPH *e = &f->glyphs[g];
    e->cached = 1;
    e->has_mono = 0;
    e->has_aa = 0;
    e->advance_x = kept->advance_x;
    e->advance_y = kept->advance_y;
    if (kept->has_mono)
        refill_mono(e, kept);
    if (kept->has_aa)
        refill_aa(e, kept);
    return true;
}

void _alfont_cache_glyph(ALFONT_FONT *f, int g)
{
    ALFONT_GLYPH *e = &f->glyphs[g];
    if (e->cached)
        return;
    /* Before any size was accepted the face's size is not pixel_size. */
    bool sized = f->pixel_size > 0;
    if (sized && refill_glyph(f, g))
        return;
    e->cached = 1;
    e->has_mono = 0;
    e->has_aa = 0;
    e->advance_x = 0;
    e->advance_y = 0;

    /* A glyph FreeType cannot load stays filled, with no form and no advance. */
    FT_GlyphSlot slot = f->ft_face->glyph;
    if (FT_Load_Glyph(f->ft_face, g, FT_LOAD_DEFAULT) != 0)
        return;
    e->advance_x = (int)(slot->advance.x >> 6);
    e->advance_y = (int)(slot->advance.y >> 6);

    FT_Glyph glyph;
    if (FT_Get_Glyph(slot, &glyph) != 0)
        return;
    bool whole = make_mono(e, glyph);
    whole = make_aa(e, glyph) && whole;
    FT_Done_Glyph(glyph);
    /* A rendering that failed somewhere may succeed next time: not kept. */
    if (whole && sized)
        keep_glyph(f, g, e);
}

/* The filled entry for character code c, or NULL when c has no entry
 * (a face without a character map indexes glyphs by the code itself). */
static const ALFONT_GLYPH *lookup_glyph(ALFONT_FONT *f, int c)
{
    FT_Face face = f->ft_face;
    unsigned long g = face->charmap ? FT_Get_Char_Index(face, (FT_ULong)(unsigned)c) : (unsigned)c;
    if (g >= (unsigned long)face->num_glyphs)
        return NULL;
    _alfont_cache_glyph(f, (int)g);
    return &f->glyphs[g];
}

/* ------------------------------------------------------------------ */
/* Fonts                                                              */

/* The fixed heights of the face ended by -1, or just -1 for a scalable face. */
static void fill_fixed_list(ALFONT_FONT *f)
{
    for (int i = 0; i < f->fixed_count; i++)
        f->fixed_list[i] = f->ft_face->available_sizes[i].height;
    f->fixed_list[f->fixed_count < 0 ? 0 : f->fixed_count] = -1;
}

/* Releases whatever a font holds; copes with a font only partly built. */
static void release_font(ALFONT_FONT *f)
{
    if (f->glyphs) {
        flush_glyphs(f);
        free(f->glyphs);
    }
    for (ALFONT_STORE_SLOT &slot : f->store)
        empty_slot(f, &slot);
    if (f->ft_face)
        FT_Done_Face(f->ft_face);
    free(f->fixed_list);
    free(f->font_data);
    free(f);
}

/* Builds the rest of a font around its open face and sets its first size. */
static ALFONT_FONT *finish_load(ALFONT_FONT *f)
{
    FT_Face face = f->ft_face;
    f->fixed_count = (face->face_flags & FT_FACE_FLAG_SCALABLE) ? -1 : face->num_fixed_sizes;

    long n = face->num_glyphs > 0 ? face->num_glyphs : 1;
    f->glyphs = (ALFONT_GLYPH *)calloc(n, sizeof(ALFONT_GLYPH));
    f->fixed_list = (int *)malloc(sizeof(int) * (f->fixed_count < 0 ? 1 : f->fixed_count + 1));
    if (!f->glyphs || !f->fixed_list) {
        release_font(f);
        return NULL;
    }
    fill_fixed_list(f);

    alfont_set_font_size(f, f->fixed_count < 0 ? 8 : f->fixed_list[0]);
    f->extra_spacing = 0;
    return f;
}

ALFONT_FONT *alfont_load_font(const char *filepathname)
{
    ALFONT_FONT *f = (ALFONT_FONT *)calloc(1, sizeof(ALFONT_FONT));
    if (!f)
        return NULL;
    if (FT_New_Face(ft_library, filepathname, 0, &f->ft_face) != 0) {
        f->ft_face = NULL;
        release_font(f);
        return NULL;
    }
    return finish_load(f);
}

ALFONT_FONT *alfont_load_font_from_mem(const char *data, int data_len)
{
    if (data_len <= 0)
        return NULL;
    ALFONT_FONT *f = (ALFONT_FONT *)calloc(1, sizeof(ALFONT_FONT));
    char *copy = (char *)malloc(data_len);
    if (!f || !copy) {
        free(f);
        free(copy);
        return NULL;
    }
    memcpy(copy, data, data_len);
    f->font_data = copy;
    f->font_data_size = data_len;
    if (FT_New_Memory_Face(ft_library, (const FT_Byte *)copy, data_len, 0, &f->ft_face) != 0) {
        f->ft_face = NULL;
        release_font(f);
        return NULL;
    }
    return finish_load(f);
}

void alfont_destroy_font(ALFONT_FONT *f)
{
    if (f)
        release_font(f);
}

/* ------------------------------------------------------------------ */
/* Size                                                               */

/* The height a FreeType size gives text: whole ascender plus whole descender. */
static int size_height(FT_Face face)
{
    long asc = face->size->metrics.ascender >> 6;
    long desc = face->size->metrics.descender >> 6;
    return (int)(labs(asc) + labs(desc));
}

static int try_pixel_size(FT_Face face, int s)
{
    return FT_Set_Pixel_Sizes(face, 0, s);
}

/* Walks pixel sizes one by one from h towards the requested text height h:
 * the first size whose height is exactly h, else the largest below it.
 * Returns the size, or 0 when there is none. */
static int search_pixel_size(FT_Face face, int h)
{
    int d = 0;
    for (int s = h; s >= 1 && s <= max_pixel_size; s += d) {
        if (try_pixel_size(face, s) != 0)
            return 0;
        int H = size_height(face);
        if (H == h)
            return s;
        if (d == 0) {
            d = H < h ? 1 : -1;
        } else if (d > 0 && H > h) {
            try_pixel_size(face, s - 1);
            return s - 1;
        } else if (d < 0 && H < h) {
            return s;
        }
    }
    return 0;
}

int alfont_set_font_size(ALFONT_FONT *f, int h)
{
    if (h == f->height)
        return 0;
    if (h <= 0)
        return -1;
    FT_Face face = f->ft_face;
    int s = search_pixel_size(face, h);
    if (s == 0) {
        try_pixel_size(face, f->pixel_size);
        return -1;
    }
    flush_glyphs(f);
    f->pixel_size = s;
    f->height = h;
    f->ascent = (int)(face->size->metrics.ascender >> 6);
    return 0;
}

int alfont_get_font_height(ALFONT_FONT *f)
{
    return f->height;
}

int alfont_text_height(ALFONT_FONT *f)
{
    return f->height;
}

void alfont_set_char_extra_spacing(ALFONT_FONT *f, int spacing)
{
    f->extra_spacing = spacing < 0 ? 0 : spacing > 4096 ? 4096 : spacing;
}

int alfont_get_char_extra_spacing(ALFONT_FONT *f)
{
    return f->extra_spacing;
}

int alfont_is_fixed_font(ALFONT_FONT *f)
{
    return f->fixed_count >= 0 ? TRUE : FALSE;
}

int alfont_is_scalable_font(ALFONT_FONT *f)
{
    return f->fixed_count < 0 ? TRUE : FALSE;
}

int alfont_get_nof_available_fixed_sizes(ALFONT_FONT *f)
{
    return f->fixed_count;
}

int *alfont_get_available_fixed_sizes(ALFONT_FONT *f)
{
    fill_fixed_list(f);
    return f->fixed_list;
}

/* ------------------------------------------------------------------ */
/* Measuring and drawing                                              */

int alfont_text_length(ALFONT_FONT *f, const char *str)
{
    int len = 0;
    for (int c; (c = ugetxc(&str)) != 0;) {
        const ALFONT_GLYPH *g = lookup_glyph(f, c);
        if (g && g->advance_x != 0)
            len += g->advance_x + f->extra_spacing;
    }
    return len;
}

/* Text wholly above or below the clip rectangle, or starting right of it. */
static bool rejected(BITMAP *bmp, ALFONT_FONT *f, int x, int y)
{
    return y + f->height < bmp->ct || bmp->cb < y || bmp->cr < x;
}

/* The opaque background.  Empty text or a font without a height covers no
 * area, and rectfill would otherwise paint a sliver with swapped corners. */
static void fill_background(BITMAP *bmp, ALFONT_FONT *f, const char *s, int x, int y, int backg)
{
    int len = alfont_text_length(f, s);
    if (len > 0 && f->height > 0)
        rectfill(bmp, x, y, x + len - 1, y + f->height - 1, backg);
}

/* Coverage-to-colour ramp from the background (entry 0) towards the text colour. */
static void build_palette(int pal[256], int color, int backg)
{
    int r0 = getr(backg), g0 = getg(backg), b0 = getb(backg);
    int r1 = getr(color), g1 = getg(color), b1 = getb(color);
    int dr = r1 != r0 ? r1 - r0 + 1 : 0;
    int dg = g1 != g0 ? g1 - g0 + 1 : 0;
    int db = b1 != b0 ? b1 - b0 + 1 : 0;
    for (int i = 0; i < 256; i++)
        pal[i] = makecol((r0 * 256 + i * dr) >> 8, (g0 * 256 + i * dg) >> 8, (b0 * 256 + i * db) >> 8);
}

/* One translucent pixel drawn with the blender for its coverage v: solid
 * for full coverage, translucent with alpha v otherwise.  *mode_v is the
 * coverage the drawing mode was last set for in this call (-1 before the
 * first pixel); nothing else changes the mode while a call draws, so it
 * is set again only when the coverage changes. */
static void blend_pixel(BITMAP *bmp, int px, int py, int color, int v, int *mode_v)
{
    if (v != *mode_v) {
        if (v == 255) {
            solid_mode();
        } else {
            drawing_mode(DRAW_MODE_TRANS, NULL, 0, 0);
            set_trans_blender(0, 0, 0, v);
        }
        *mode_v = v;
    }
    putpixel(bmp, px, py, color);
}

/* The rows or columns of a glyph box, from first up to end, that can show.
 * Allegro discards every pixel outside the clip rectangle anyway; walking
 * only the visible part keeps a huge glyph from a damaged font cheap. */
struct span {
    int first, end;
};

static span visible(int start, int len, int lo, int hi)
{
    span s = {lo > start ? lo - start : 0, hi - start < len ? hi - start : len};
    return s;
}

static span visible_rows(BITMAP *bmp, int top, int rows)
{
    return bmp->clip ? visible(top, rows, bmp->ct, bmp->cb) : visible(top, rows, 0, bmp->h);
}

static span visible_columns(BITMAP *bmp, int left, int width)
{
    return bmp->clip ? visible(left, width, bmp->cl, bmp->cr) : visible(left, width, 0, bmp->w);
}

static void draw_aa_glyph(BITMAP *bmp, const ALFONT_GLYPH *g, int left, int top, int color, int backg,
                          const int *pal, int *mode_v)
{
    if (!g->has_aa || !g->aa_pixels)
        return;
    span rows = visible_rows(bmp, top, g->aa_height);
    span cols = visible_columns(bmp, left, g->aa_width);
    for (int r = rows.first; r < rows.end; r++)
        for (int c = cols.first; c < cols.end; c++) {
            int v = g->aa_pixels[r * g->aa_width + c];
            if (v == 0)
                continue;
            if (backg >= 0)
                putpixel(bmp, left + c, top + r, pal[v]);
            else
                blend_pixel(bmp, left + c, top + r, color, v, mode_v);
        }
}

static void draw_mono_glyph(BITMAP *bmp, const ALFONT_GLYPH *g, int left, int top, int color)
{
    if (!g->has_mono || !g->mono_pixels)
        return;
    span rows = visible_rows(bmp, top, g->mono_height);
    span cols = visible_columns(bmp, left, g->mono_width);
    for (int r = rows.first; r < rows.end; r++)
        for (int c = cols.first; c < cols.end; c++)
            if (g->mono_pixels[r * g->mono_width + c])
                putpixel(bmp, left + c, top + r, color);
}

/* The glyph loop both cores share: glyphs are drawn until the pen passes
 * the right clip edge, and each glyph that advances moves the pen. */
static void draw_glyphs(BITMAP *bmp, ALFONT_FONT *f, const char *s, int x, int y, int color, int backg,
                        bool aa, const int *pal)
{
    int mode_v = -1;
    acquire_bitmap(bmp);
    for (int c; bmp->cr >= x && (c = ugetxc(&s)) != 0;) {
        const ALFONT_GLYPH *found = lookup_glyph(f, c);
        if (!found)
            continue;
        ALFONT_GLYPH g = *found;
        if (aa)
            draw_aa_glyph(bmp, &g, x + g.aa_left, y + f->ascent - g.aa_top, color, backg, pal, &mode_v);
        else
            draw_mono_glyph(bmp, &g, x + g.mono_left, y + f->ascent - g.mono_top, color);
        if (g.advance_x != 0)
            x += g.advance_x + f->extra_spacing;
        if (g.advance_y != 0)
            y += g.advance_y + f->extra_spacing;
    }
    release_bitmap(bmp);
}

void alfont_textout_aa_ex(BITMAP *bmp, ALFONT_FONT *f, const char *s, int x, int y, int color, int backg)
{
    if (rejected(bmp, f, x, y))
        return;
    int pal[256];
    const int *ramp = NULL;
    if (backg >= 0) {
        fill_background(bmp, f, s, x, y, backg);
        build_palette(pal, color, backg);
        ramp = pal;
    }
    draw_glyphs(bmp, f, s, x, y, color, backg, true, ramp);
    if (backg < 0)
        solid_mode();
}

void alfont_textout_ex(BITMAP *bmp, ALFONT_FONT *f, const char *s, int x, int y, int color, int backg)
{
    if (rejected(bmp, f, x, y))
        return;
    if (backg >= 0)
        fill_background(bmp, f, s, x, y, backg);
    draw_glyphs(bmp, f, s, x, y, color, backg, false, NULL);
}

/* ------------------------------------------------------------------ */
/* Wrappers                                                           */

enum align { to_left, to_centre, to_right };

/* Moves x from the requested anchor to the pen start and draws. */
static void out(BITMAP *bmp, ALFONT_FONT *f, const char *s, int x, int y, int color, int backg, bool aa,
                align a)
{
    if (a == to_centre)
        x -= alfont_text_length(f, s) / 2;
    else if (a == to_right)
        x -= alfont_text_length(f, s);
    if (aa)
        alfont_textout_aa_ex(bmp, f, s, x, y, color, backg);
    else
        alfont_textout_ex(bmp, f, s, x, y, color, backg);
}

/* Formats into a 512-byte buffer, cutting longer text, then draws it. */
static void print(BITMAP *bmp, ALFONT_FONT *f, int x, int y, int color, int backg, bool aa, align a,
                  const char *format, va_list ap)
{
    char buf[512];
    uvszprintf(buf, sizeof buf, format, ap);
    out(bmp, f, buf, x, y, color, backg, aa, a);
}

void alfont_textout(BITMAP *bmp, ALFONT_FONT *f, const char *s, int x, int y, int color)
{
    out(bmp, f, s, x, y, color, alfont_textmode, false, to_left);
}

void alfont_textout_aa(BITMAP *bmp, ALFONT_FONT *f, const char *s, int x, int y, int color)
{
    out(bmp, f, s, x, y, color, alfont_textmode, true, to_left);
}

void alfont_textout_centre(BITMAP *bmp, ALFONT_FONT *f, const char *s, int x, int y, int color)
{
    out(bmp, f, s, x, y, color, alfont_textmode, false, to_centre);
}

void alfont_textout_centre_ex(BITMAP *bmp, ALFONT_FONT *f, const char *s, int x, int y, int color, int backg)
{
    out(bmp, f, s, x, y, color, backg, false, to_centre);
}

void alfont_textout_centre_aa(BITMAP *bmp, ALFONT_FONT *f, const char *s, int x, int y, int color)
{
    out(bmp, f, s, x, y, color, alfont_textmode, true, to_centre);
}

void alfont_textout_centre_aa_ex(BITMAP *bmp, ALFONT_FONT *f, const char *s, int x, int y, int color, int backg)
{
    out(bmp, f, s, x, y, color, backg, true, to_centre);
}

void alfont_textout_right(BITMAP *bmp, ALFONT_FONT *f, const char *s, int x, int y, int color)
{
    out(bmp, f, s, x, y, color, alfont_textmode, false, to_right);
}

void alfont_textout_right_ex(BITMAP *bmp, ALFONT_FONT *f, const char *s, int x, int y, int color, int backg)
{
    out(bmp, f, s, x, y, color, backg, false, to_right);
}

void alfont_textout_right_aa(BITMAP *bmp, ALFONT_FONT *f, const char *s, int x, int y, int color)
{
    out(bmp, f, s, x, y, color, alfont_textmode, true, to_right);
}

void alfont_textout_right_aa_ex(BITMAP *bmp, ALFONT_FONT *f, const char *s, int x, int y, int color, int backg)
{
    out(bmp, f, s, x, y, color, backg, true, to_right);
}

void alfont_textprintf(BITMAP *bmp, ALFONT_FONT *f, int x, int y, int color, const char *format, ...)
{
    va_list ap;
    va_start(ap, format);
    print(bmp, f, x, y, color, alfont_textmode, false, to_left, format, ap);
    va_end(ap);
}

void alfont_textprintf_ex(BITMAP *bmp, ALFONT_FONT *f, int x, int y, int color, int backg, const char *format, ...)
{
    va_list ap;
    va_start(ap, format);
    print(bmp, f, x, y, color, backg, false, to_left, format, ap);
    va_end(ap);
}

void alfont_textprintf_aa(BITMAP *bmp, ALFONT_FONT *f, int x, int y, int color, const char *format, ...)
{
    va_list ap;
    va_start(ap, format);
    print(bmp, f, x, y, color, alfont_textmode, true, to_left, format, ap);
    va_end(ap);
}

void alfont_textprintf_aa_ex(BITMAP *bmp, ALFONT_FONT *f, int x, int y, int color, int backg, const char *format, ...)
{
    va_list ap;
    va_start(ap, format);
    print(bmp, f, x, y, color, backg, true, to_left, format, ap);
    va_end(ap);
}

void alfont_textprintf_centre(BITMAP *bmp, ALFONT_FONT *f, int x, int y, int color, const char *format, ...)
{
    va_list ap;
    va_start(ap, format);
    print(bmp, f, x, y, color, alfont_textmode, false, to_centre, format, ap);
    va_end(ap);
}

void alfont_textprintf_centre_ex(BITMAP *bmp, ALFONT_FONT *f, int x, int y, int color, int backg,
                                 const char *format, ...)
{
    va_list ap;
    va_start(ap, format);
    print(bmp, f, x, y, color, backg, false, to_centre, format, ap);
    va_end(ap);
}

void alfont_textprintf_centre_aa(BITMAP *bmp, ALFONT_FONT *f, int x, int y, int color, const char *format, ...)
{
    va_list ap;
    va_start(ap, format);
    print(bmp, f, x, y, color, alfont_textmode, true, to_centre, format, ap);
    va_end(ap);
}

void alfont_textprintf_centre_aa_ex(BITMAP *bmp, ALFONT_FONT *f, int x, int y, int color, int backg,
                                    const char *format, ...)
{
    va_list ap;
    va_start(ap, format);
    print(bmp, f, x, y, color, backg, true, to_centre, format, ap);
    va_end(ap);
}

void alfont_textprintf_right(BITMAP *bmp, ALFONT_FONT *f, int x, int y, int color, const char *format, ...)
{
    va_list ap;
    va_start(ap, format);
    print(bmp, f, x, y, color, alfont_textmode, false, to_right, format, ap);
    va_end(ap);
}

void alfont_textprintf_right_ex(BITMAP *bmp, ALFONT_FONT *f, int x, int y, int color, int backg,
                                const char *format, ...)
{
    va_list ap;
    va_start(ap, format);
    print(bmp, f, x, y, color, backg, false, to_right, format, ap);
    va_end(ap);
}

void alfont_textprintf_right_aa(BITMAP *bmp, ALFONT_FONT *f, int x, int y, int color, const char *format, ...)
{
    va_list ap;
    va_start(ap, format);
    print(bmp, f, x, y, color, alfont_textmode, true, to_right, format, ap);
    va_end(ap);
}

void alfont_textprintf_right_aa_ex(BITMAP *bmp, ALFONT_FONT *f, int x, int y, int color, int backg,
                                   const char *format, ...)
{
    va_list ap;
    va_start(ap, format);
    print(bmp, f, x, y, color, backg, true, to_right, format, ap);
    va_end(ap);
}

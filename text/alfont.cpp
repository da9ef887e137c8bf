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

/* Renders a copy of glyph into bitmap form; NULL when FreeType cannot. */
static FT_BitmapGlyph render_copy(FT_Glyph glyph, FT_Render_Mode mode)
{
    FT_Glyph copy;
    if (FT_Glyph_Copy(glyph, &copy) != 0)
        return NULL;
    if (copy->format != FT_GLYPH_FORMAT_BITMAP && FT_Glyph_To_Bitmap(&copy, mode, NULL, 1) != 0) {
        FT_Done_Glyph(copy);
        return NULL;
    }
    return (FT_BitmapGlyph)copy;
}

/* The one-bit form, one byte per pixel; made only from a one-bit bitmap. */
static void make_mono(ALFONT_GLYPH *e, FT_Glyph glyph)
{
    FT_BitmapGlyph bg = render_copy(glyph, FT_RENDER_MODE_MONO);
    if (!bg)
        return;
    const FT_Bitmap *b = &bg->bitmap;
    if (b->pixel_mode == FT_PIXEL_MODE_MONO && has_rows(b, (b->width + 7) / 8)) {
        int w = b->width, rows = b->rows;
        unsigned char *px = take_pixels(w, rows);
        if (px || w <= 0 || rows <= 0) {
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
}

/* The anti-aliased form, coverage 0..255; made only from an 8-bit gray bitmap. */
static void make_aa(ALFONT_GLYPH *e, FT_Glyph glyph)
{
    FT_BitmapGlyph bg = render_copy(glyph, FT_RENDER_MODE_NORMAL);
    if (!bg)
        return;
    const FT_Bitmap *b = &bg->bitmap;
    if (b->pixel_mode == FT_PIXEL_MODE_GRAY && has_rows(b, b->width)) {
        int w = b->width, rows = b->rows;
        unsigned char *px = take_pixels(w, rows);
        if (px || w <= 0 || rows <= 0) {
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
}

void _alfont_cache_glyph(ALFONT_FONT *f, int g)
{
    ALFONT_GLYPH *e = &f->glyphs[g];
    if (e->cached)
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
    make_mono(e, glyph);
    make_aa(e, glyph);
    FT_Done_Glyph(glyph);
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

/* One translucent pixel: the blender is set afresh for its coverage v. */
static void blend_pixel(BITMAP *bmp, int px, int py, int color, int v)
{
    if (v == 255) {
        solid_mode();
    } else {
        drawing_mode(DRAW_MODE_TRANS, NULL, 0, 0);
        set_trans_blender(0, 0, 0, v);
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
                          const int *pal)
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
                blend_pixel(bmp, left + c, top + r, color, v);
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
    acquire_bitmap(bmp);
    for (int c; bmp->cr >= x && (c = ugetxc(&s)) != 0;) {
        const ALFONT_GLYPH *found = lookup_glyph(f, c);
        if (!found)
            continue;
        ALFONT_GLYPH g = *found;
        if (aa)
            draw_aa_glyph(bmp, &g, x + g.aa_left, y + f->ascent - g.aa_top, color, backg, pal);
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

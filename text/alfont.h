/* alfont: anti-aliased text for Allegro 4 over FreeType 2.
 *
 * A font is opened from a TrueType/OpenType/BDF file or from bytes in
 * memory, given a text height in pixels, and drawn onto any Allegro bitmap:
 * one-bit or anti-aliased; left, centred or right aligned; fixed or
 * formatted text; over a background colour or transparent.
 *
 * Call alfont_init() once after Allegro is installed and before any load;
 * destroy every font before alfont_exit().  Yes-or-no answers are Allegro's
 * TRUE (-1) and FALSE (0).
 */
#ifndef ALFONT_H
#define ALFONT_H

#include <allegro.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct ALFONT_FONT ALFONT_FONT;

/* Library set-up: 0 on success, else FreeType's error code. */
int alfont_init(void);
void alfont_exit(void);

/* Loading: a font at its first size, or NULL. */
ALFONT_FONT *alfont_load_font(const char *filepathname);
ALFONT_FONT *alfont_load_font_from_mem(const char *data, int data_len);
void alfont_destroy_font(ALFONT_FONT *f);

/* Size: h is the text height in pixels (ascent plus descent), 0 on success,
 * -1 on failure.  The font caches glyphs for one height only: changing the
 * height empties the cache. */
int alfont_set_font_size(ALFONT_FONT *f, int h);
int alfont_get_font_height(ALFONT_FONT *f);
int alfont_text_height(ALFONT_FONT *f);

/* Background of the calls without one: -1 transparent, else a colour.
 * It starts at 0, so until this is called those calls fill colour 0.
 * Returns the previous mode. */
int alfont_text_mode(int mode);

void alfont_set_char_extra_spacing(ALFONT_FONT *f, int spacing);
int alfont_get_char_extra_spacing(ALFONT_FONT *f);

int alfont_is_fixed_font(ALFONT_FONT *f);
int alfont_is_scalable_font(ALFONT_FONT *f);
int alfont_get_nof_available_fixed_sizes(ALFONT_FONT *f);
int *alfont_get_available_fixed_sizes(ALFONT_FONT *f);

/* Width of a string in pixels at the current size. */
int alfont_text_length(ALFONT_FONT *f, const char *str);

/* The two drawing cores: x is the pen start, y the top of the line;
 * background -1 draws no background. */
void alfont_textout_aa_ex(BITMAP *bmp, ALFONT_FONT *f, const char *s, int x, int y, int color, int backg);
void alfont_textout_ex(BITMAP *bmp, ALFONT_FONT *f, const char *s, int x, int y, int color, int backg);

void alfont_textout(BITMAP *bmp, ALFONT_FONT *f, const char *s, int x, int y, int color);
void alfont_textout_aa(BITMAP *bmp, ALFONT_FONT *f, const char *s, int x, int y, int color);
void alfont_textout_centre(BITMAP *bmp, ALFONT_FONT *f, const char *s, int x, int y, int color);
void alfont_textout_centre_ex(BITMAP *bmp, ALFONT_FONT *f, const char *s, int x, int y, int color, int backg);
void alfont_textout_centre_aa(BITMAP *bmp, ALFONT_FONT *f, const char *s, int x, int y, int color);
void alfont_textout_centre_aa_ex(BITMAP *bmp, ALFONT_FONT *f, const char *s, int x, int y, int color, int backg);
void alfont_textout_right(BITMAP *bmp, ALFONT_FONT *f, const char *s, int x, int y, int color);
void alfont_textout_right_ex(BITMAP *bmp, ALFONT_FONT *f, const char *s, int x, int y, int color, int backg);
void alfont_textout_right_aa(BITMAP *bmp, ALFONT_FONT *f, const char *s, int x, int y, int color);
void alfont_textout_right_aa_ex(BITMAP *bmp, ALFONT_FONT *f, const char *s, int x, int y, int color, int backg);

/* Formatted forms: at most 511 characters of the formatted text are drawn. */
#define ALFONT_PRINTF(fmt_index) __attribute__((format(printf, fmt_index, fmt_index + 1)))
void alfont_textprintf(BITMAP *bmp, ALFONT_FONT *f, int x, int y, int color, const char *format, ...) ALFONT_PRINTF(6);
void alfont_textprintf_ex(BITMAP *bmp, ALFONT_FONT *f, int x, int y, int color, int backg, const char *format, ...) ALFONT_PRINTF(7);
void alfont_textprintf_aa(BITMAP *bmp, ALFONT_FONT *f, int x, int y, int color, const char *format, ...) ALFONT_PRINTF(6);
void alfont_textprintf_aa_ex(BITMAP *bmp, ALFONT_FONT *f, int x, int y, int color, int backg, const char *format, ...) ALFONT_PRINTF(7);
void alfont_textprintf_centre(BITMAP *bmp, ALFONT_FONT *f, int x, int y, int color, const char *format, ...) ALFONT_PRINTF(6);
void alfont_textprintf_centre_ex(BITMAP *bmp, ALFONT_FONT *f, int x, int y, int color, int backg, const char *format, ...) ALFONT_PRINTF(7);
void alfont_textprintf_centre_aa(BITMAP *bmp, ALFONT_FONT *f, int x, int y, int color, const char *format, ...) ALFONT_PRINTF(6);
void alfont_textprintf_centre_aa_ex(BITMAP *bmp, ALFONT_FONT *f, int x, int y, int color, int backg, const char *format, ...) ALFONT_PRINTF(7);
void alfont_textprintf_right(BITMAP *bmp, ALFONT_FONT *f, int x, int y, int color, const char *format, ...) ALFONT_PRINTF(6);
void alfont_textprintf_right_ex(BITMAP *bmp, ALFONT_FONT *f, int x, int y, int color, int backg, const char *format, ...) ALFONT_PRINTF(7);
void alfont_textprintf_right_aa(BITMAP *bmp, ALFONT_FONT *f, int x, int y, int color, const char *format, ...) ALFONT_PRINTF(6);
void alfont_textprintf_right_aa_ex(BITMAP *bmp, ALFONT_FONT *f, int x, int y, int color, int backg, const char *format, ...) ALFONT_PRINTF(7);
#undef ALFONT_PRINTF

#ifdef __cplusplus
}
#endif

#endif

// libFuzzer target for the text layer: arbitrary bytes as a font, arbitrary
// bytes as text.  Input: one byte n, then n bytes of text (fewer if the input
// is shorter), then the font's bytes.
#include "alfont.h"

#include <errno.h>
#include <stdint.h>
#include <stdlib.h>

#include <string>

static BITMAP *canvas;

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(32);
    alfont_init();
    canvas = create_bitmap(96, 48);
    return 0;
}

// Measures and draws the text through both cores and both alignments.
static void draw_all(ALFONT_FONT *f, const std::string &text)
{
    const char *s = text.c_str();
    alfont_text_length(f, s);
    alfont_textout_aa_ex(canvas, f, s, 2, 2, 0xffffff, -1);
    alfont_textout_aa_ex(canvas, f, s, -10, 20, 0xffffff, 0x102030);
    alfont_textout_ex(canvas, f, s, 5, -3, 0xffffff, 0x102030);
    alfont_textprintf_centre_aa_ex(canvas, f, 48, 10, 0, -1, "%s|%d", s, 42);
    alfont_textout_right_ex(canvas, f, s, 90, 30, 0xffffff, -1);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    size_t n = data[0];
    if (n > size - 1)
        n = size - 1;
    std::string text((const char *)data + 1, n);
    const char *font_bytes = (const char *)data + 1 + n;
    int font_len = (int)(size - 1 - n);

    ALFONT_FONT *f = alfont_load_font_from_mem(font_bytes, font_len);
    if (!f)
        return 0;
    clear_bitmap(canvas);
    draw_all(f, text); // at the font's first size

    alfont_set_char_extra_spacing(f, n % 3);
    const int heights[] = {1, 20, 35, 80};
    for (int h : heights)
        if (alfont_set_font_size(f, h) == 0)
            draw_all(f, text);

    int *fixed = alfont_get_available_fixed_sizes(f);
    for (int i = 0; i < 4 && fixed[i] != -1; i++)
        if (alfont_set_font_size(f, fixed[i]) == 0)
            draw_all(f, text);

    alfont_destroy_font(f);
    return 0;
}

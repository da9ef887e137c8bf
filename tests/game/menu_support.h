// Shared by the menu and options tests: where the pointer is, and what a
// text on a picture was drawn in.
#ifndef TAVUNA_MENU_SUPPORT_H
#define TAVUNA_MENU_SUPPORT_H

#include <allegro.h>
#include <map>
#include "game.h"

inline void pointer(int x, int y, int buttons = 0)
{
    mouse_x = x;
    mouse_y = y;
    mouse_b = buttons;
}

// A text drawn white on black: its white pixels are the ones it covers
// fully, which the text layer writes in exactly the text colour.
inline BITMAP *coverage(const char *text, int size, int x, int y, bool centred = true)
{
    BITMAP *ref = create_bitmap(1024, 768);
    clear_to_color(ref, 0);
    alfont_set_font_size(pump, size);
    if (centred)
        alfont_textout_centre_aa(ref, pump, text, x, y, white);
    else
        alfont_textout_aa(ref, pump, text, x, y, white);
    return ref;
}

// The colour a text was drawn in on bmp: the colour of at least nine in ten
// of the pixels it covers fully (a neighbour's text may lie over a few), or
// -1 when there is no such colour.
inline int text_colour(BITMAP *bmp, const char *text, int size, int x, int y, bool centred = true)
{
    BITMAP *ref = coverage(text, size, x, y, centred);
    std::map<int, int> count;
    int total = 0;
    for (int py = 0; py < ref->h; py++)
        for (int px = 0; px < ref->w; px++)
            if (getpixel(ref, px, py) == white) {
                count[getpixel(bmp, px, py)]++;
                total++;
            }
    destroy_bitmap(ref);
    for (auto &c : count)
        if (c.second * 10 >= total * 9)
            return c.first;
    return -1;
}

#endif

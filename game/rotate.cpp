#include <cmath>
#include "rotate.h"

// Turns bmp by angle degrees (clockwise on screen) about its centre pixel
// into tmp, nearest pixel, onto magenta.  Each destination pixel is mapped
// back to the source point that lands on it, hence the negated angle.
void rotate(BITMAP *bmp, BITMAP *tmp, float angle)
{
    int w = bmp->w, h = bmp->h;
    int magenta = makecol_depth(bitmap_color_depth(tmp), 255, 0, 255);
    clear_to_color(tmp, magenta);
    float sine = sin(-angle * 0.01745329252);
    float cosine = cos(-angle * 0.01745329252);
    for (int x = 0; x < w; x++) {
        for (int y = 0; y < h; y++) {
            float sx, sy;
            rot(x, y, w / 2, h / 2, cosine, sine, &sx, &sy);
            if (sx < 0 || sy < 0 || sx > w - 1 || sy > h - 1)
                putpixel(tmp, x, y, magenta);
            else
                putpixel(tmp, x, y, getpixel(bmp, (int)sx, (int)sy));
        }
    }
}

// Single precision throughout: at multiples of 90 degrees the rounding of
// the tiny cosine decides which pixel rotate() takes.
void rot(int x, int y, int cx, int cy, float cosine, float sine, float *rx, float *ry)
{
    float tx = x - cx;
    float ty = y - cy;
    float mx = tx * cosine - ty * sine;
    float my = tx * sine + ty * cosine;
    *rx = cx + mx;
    *ry = cy + my;
}

trgb gra(trgb c1, trgb c2, float i)
{
    trgb c;
    c.r = (int)(c1.r * (1 - i) + c2.r * i);
    c.g = (int)(c1.g * (1 - i) + c2.g * i);
    c.b = (int)(c1.b * (1 - i) + c2.b * i);
    return c;
}

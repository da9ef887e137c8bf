#include <cmath>
#include <cstdint>
#include "rotate.h"

// Maps every pixel of a w x h destination back to its source pixel: read
// and write are the pixel calls, direct or through Allegro's checks.
template <class Read, class Write>
static void map_back(int w, int h, float cosine, float sine, int magenta, Read read, Write write)
{
    for (int x = 0; x < w; x++) {
        for (int y = 0; y < h; y++) {
            float sx, sy;
            rot(x, y, w / 2, h / 2, cosine, sine, &sx, &sy);
            if (sx < 0 || sy < 0 || sx > w - 1 || sy > h - 1)
                write(x, y, magenta);
            else
                write(x, y, read((int)sx, (int)sy));
        }
    }
}

// Two 32-bit memory bitmaps, the destination at least as large: every
// pixel lies inside both, so it can be read and written directly through
// the bitmaps' row pointers.
static bool direct_pixels(BITMAP *bmp, BITMAP *tmp)
{
    return is_memory_bitmap(bmp) && is_memory_bitmap(tmp) && bitmap_color_depth(bmp) == 32 &&
           bitmap_color_depth(tmp) == 32 && tmp->w >= bmp->w && tmp->h >= bmp->h;
}

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
    if (direct_pixels(bmp, tmp))
        map_back(
            w, h, cosine, sine, magenta, [bmp](int x, int y) { return ((int32_t *)bmp->line[y])[x]; },
            [tmp](int x, int y, int c) { ((int32_t *)tmp->line[y])[x] = c; });
    else
        map_back(
            w, h, cosine, sine, magenta, [bmp](int x, int y) { return getpixel(bmp, x, y); },
            [tmp](int x, int y, int c) { putpixel(tmp, x, y, c); });
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

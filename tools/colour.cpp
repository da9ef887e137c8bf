#include "colour.h"
#include <algorithm>
#include <cmath>
#include <cstdint>

rgb mix(rgb a, rgb b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }

rgb scale(rgb a, double f) { return {a.r * f, a.g * f, a.b * f}; }

static int channel(double v) { return std::clamp((int)std::lround(v), 0, 255); }

int pack(rgb c) { return makecol24(channel(c.r), channel(c.g), channel(c.b)); }

rgb unpack(int c) { return {(double)getr24(c), (double)getg24(c), (double)getb24(c)}; }

void blend_pixel(BITMAP *bmp, int x, int y, rgb c, double t)
{
    if (x < 0 || y < 0 || x >= bmp->w || y >= bmp->h)
        return;
    putpixel(bmp, x, y, pack(mix(unpack(getpixel(bmp, x, y)), c, t)));
}

// An integer hash (no library random numbers, so every run and machine
// gives the same pictures).
double hash01(int x, int y, int seed)
{
    uint32_t h = (uint32_t)x * 374761393u + (uint32_t)y * 668265263u + (uint32_t)seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xffffff) / (double)0x1000000;
}

static double smooth(double t) { return t * t * (3 - 2 * t); }

double noise(double x, double y, int seed)
{
    int ix = (int)std::floor(x), iy = (int)std::floor(y);
    double fx = smooth(x - ix), fy = smooth(y - iy);
    double a = hash01(ix, iy, seed), b = hash01(ix + 1, iy, seed);
    double c = hash01(ix, iy + 1, seed), d = hash01(ix + 1, iy + 1, seed);
    return (a + (b - a) * fx) * (1 - fy) + (c + (d - c) * fx) * fy;
}

double fbm(double x, double y, int seed)
{
    double sum = 0, amp = 0.5, norm = 0;
    for (int o = 0; o < 4; o++) {
        sum += amp * noise(x, y, seed + o);
        norm += amp;
        x *= 2.03;
        y *= 2.03;
        amp *= 0.5;
    }
    return sum / norm;
}

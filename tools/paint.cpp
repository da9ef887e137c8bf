// The boats, the menu background and the HUD panel.
#include "colour.h"
#include "paint.h"
#include <algorithm>
#include <cmath>

static const int magenta = 0xff00ff;

// Half the hull's width at row y of the sprite: a pointed bow from y 4 (46 px
// ahead of the centre, where the bow probe reads the mask) widening to a
// straight hull that ends in a flat stern at y 86.
static double hull_half(int y)
{
    if (y < 4 || y > 86)
        return -1;
    if (y < 44)
        return 16.5 * std::sqrt((y - 4) / 40.0);
    return 16.5;
}

static bool in_hull(int x, int y) { return std::fabs(x + 0.5 - 50) <= hull_half(y); }

// The hull colour itself is the sprite's most common colour, so the boats
// can be told apart by it.
BITMAP *paint_boat(int r, int g, int b)
{
    BITMAP *bmp = create_bitmap_ex(24, 100, 100);
    clear_to_color(bmp, magenta);
    rgb hull{(double)r, (double)g, (double)b}, white{246, 246, 242};
    rgb cockpit{206, 204, 198}, glass{46, 62, 78};
    for (int y = 0; y < 100; y++)
        for (int x = 0; x < 100; x++) {
            if (!in_hull(x, y))
                continue;
            double edge = hull_half(y) - std::fabs(x + 0.5 - 50);
            rgb c = hull;
            if (edge < 1.2)
                c = scale(hull, 0.7);
            else if (edge > 3 && edge < 4.2)
                c = white;
            else if (edge >= 4.2 && y < 40 && y > 14 && std::fabs(x + 0.5 - 50) < 1.5)
                c = white;
            else if (edge >= 4.2 && y >= 48 && y < 82)
                c = mix(cockpit, {176, 174, 168}, (y / 3) % 2 ? 0.6 : 0.1);
            putpixel(bmp, x, y, pack(c));
        }
    // Windscreen, seats and the outboard motor.
    for (int y = 40; y < 48; y++)
        for (int x = 36; x < 64; x++)
            if (hull_half(y) - std::fabs(x + 0.5 - 50) > 3)
                putpixel(bmp, x, y, pack(mix(glass, {150, 190, 210}, (x + y) % 9 < 2 ? 0.6 : 0.1)));
    rectfill(bmp, 40, 52, 47, 60, pack(scale(hull, 0.8)));
    rectfill(bmp, 53, 52, 60, 60, pack(scale(hull, 0.8)));
    rectfill(bmp, 40, 70, 60, 77, pack(scale(hull, 0.8)));
    rectfill(bmp, 44, 86, 56, 95, makecol24(52, 54, 58));
    rectfill(bmp, 46, 88, 54, 93, makecol24(92, 96, 102));
    return bmp;
}

// A dark plate with rounded lower corners behind the clock and the credit
// line; magenta around it, where the view shows through.
BITMAP *paint_panel()
{
    const int w = 200, h = 96, round = 18;
    BITMAP *bmp = create_bitmap_ex(24, w, h);
    clear_to_color(bmp, magenta);
    for (int y = 0; y < h; y++)
        for (int x = 6; x < w - 6; x++) {
            int cx = std::clamp(x, 6 + round, w - 7 - round), cy = std::min(y, h - 1 - round);
            double d = std::hypot(x - cx, y - cy);
            if (d > round)
                continue;
            rgb c = mix({22, 36, 60}, {36, 58, 90}, (double)y / h);
            if (d > round - 2 || x < 8 || x > w - 9)
                c = {124, 172, 212};
            putpixel(bmp, x, y, pack(c));
        }
    return bmp;
}

// A soft-edged plate: full strength inside, fading out over its border.
static void shade_box(BITMAP *bmp, int x0, int y0, int x1, int y1, rgb c, double t)
{
    const double feather = 18;
    for (int y = y0; y <= y1; y++)
        for (int x = x0; x <= x1; x++) {
            double d = std::min({x - x0, x1 - x, y - y0, y1 - y}) / feather;
            blend_pixel(bmp, x, y, c, t * std::min(1.0, d));
        }
}

// The island seen from high above, washed to mid tones so that black and
// white text both read over it, with soft plates behind the title, the mode
// items and the menu bar (the options stand over the open sea), and a large
// boat racing on the channel.
BITMAP *paint_menu(BITMAP *island, BITMAP *boat)
{
    BITMAP *bmp = create_bitmap_ex(24, 1024, 768);
    stretch_blit(island, bmp, 0, 120, island->w, island->w * 768 / 1024, 0, 0, 1024, 768);
    for (int y = 0; y < 768; y++)
        for (int x = 0; x < 1024; x++)
            blend_pixel(bmp, x, y, {150, 170, 180}, 0.3);
    const rgb plate{96, 124, 146};
    shade_box(bmp, 330, 80, 694, 200, plate, 0.6);
    shade_box(bmp, 70, 318, 342, 512, plate, 0.55);
    shade_box(bmp, 120, 570, 800, 676, plate, 0.6);
    // Racing south down the island's west channel.
    BITMAP *big = create_bitmap_ex(24, 200, 200);
    clear_to_color(big, magenta);
    stretch_blit(boat, big, 0, 0, 100, 100, 0, 0, 200, 200);
    BITMAP *turned = create_bitmap_ex(24, 200, 200);
    clear_to_color(turned, magenta);
    rotate_sprite(turned, big, 0, 0, itofix(124));
    draw_sprite(bmp, turned, 12, 140);
    destroy_bitmap(big);
    destroy_bitmap(turned);
    return bmp;
}

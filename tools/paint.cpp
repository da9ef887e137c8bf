#include "paint.h"

BITMAP *paint_island(BITMAP *mask)
{
    BITMAP *pic = create_bitmap_ex(24, mask->w, mask->h);
    for (int y = 0; y < mask->h; y++)
        for (int x = 0; x < mask->w; x++) {
            bool land = getr24(getpixel(mask, x, y)) == 0;
            putpixel(pic, x, y, land ? makecol24(110, 170, 80) : makecol24(120, 190, 230));
        }
    return pic;
}

BITMAP *paint_boat(int r, int g, int b)
{
    BITMAP *bmp = create_bitmap_ex(24, 100, 100);
    clear_to_color(bmp, makecol24(255, 0, 255));
    int hull[] = {50, 4, 64, 30, 64, 84, 36, 84, 36, 30};
    polygon(bmp, 5, hull, makecol24(r, g, b));
    return bmp;
}

BITMAP *paint_menu()
{
    BITMAP *bmp = create_bitmap_ex(24, 1024, 768);
    clear_to_color(bmp, makecol24(150, 200, 230));
    return bmp;
}

BITMAP *paint_panel()
{
    BITMAP *bmp = create_bitmap_ex(24, 200, 100);
    clear_to_color(bmp, makecol24(255, 0, 255));
    rectfill(bmp, 20, 0, 179, 95, makecol24(30, 40, 60));
    return bmp;
}

#include "paint.h"

BITMAP *paint_boat(int r, int g, int b)
{
    BITMAP *bmp = create_bitmap_ex(24, 100, 100);
    clear_to_color(bmp, makecol24(255, 0, 255));
    int hull[] = {50, 4, 64, 30, 64, 84, 36, 84, 36, 30};
    polygon(bmp, 5, hull, makecol24(r, g, b));
    return bmp;
}

BITMAP *paint_menu(const course &c)
{
    (void)c;
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

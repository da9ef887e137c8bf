#include <allegro.h>
#include <cstdlib>
#include "rotate.h"
#include "view.h"

int camleft1, camup1;
int camleft2, camup2;

// Puts the boat's position at the centre of the view, then keeps the view
// inside the island picture.
static void camera(const BOAT *b, int hw, int vw, int *left, int *top)
{
    *left = (int)(b->x - hw);
    *top = (int)(b->y - 384);
    if (*left < 0)
        *left = 0;
    if (*top < 0)
        *top = 0;
    if (*top > ostrov->h - 768)
        *top = ostrov->h - 768;
    if (*left > ostrov->w - vw)
        *left = ostrov->w - vw;
}

void draw_boat(BOAT *b, BITMAP *dest, int x, int y, float angle)
{
    rotate(b->bmp, b->bmp_rot, angle);
    draw_sprite(dest, b->bmp_rot, x, y);
}

// Boat pictures point up; the extra 90 degrees turn them to heading 0.
void draw_single_view()
{
    camera(&boat, 512, 1024, &camleft1, &camup1);
    blit(ostrov, mb, camleft1, camup1, 0, 0, 1024, 768);
    draw_boat(&boat, mb, (int)(boat.x - camleft1), (int)(boat.y - camup1), boat.rot + 90);
}

// Both boats go into one world picture, so each player sees the other.
void draw_split_views()
{
    camera(&boat, 256, 512, &camleft1, &camup1);
    blit(ostrov, vsetko, 0, 0, 0, 0, 2100, 1900);
    draw_boat(&boat, vsetko, (int)boat.x, (int)boat.y, boat.rot + 90);
    camera(&super, 256, 512, &camleft2, &camup2);
    draw_boat(&super, vsetko, (int)super.x, (int)super.y, super.rot + 90);
    blit(vsetko, mb, camleft1, camup1, 0, 0, 512, 768);
    blit(vsetko, mb, camleft2, camup2, 512, 0, 512, 768);
    // The divider flickers: a new red every frame, never a full 255.
    vline(mb, 512, 0, 768, makecol(rand() % 255, 0, 0));
}

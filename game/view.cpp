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

// A boat drawn into a split view where it lies on the world picture: its
// truncated world position less the view's corner, clipped to the view.
static void draw_in_view(BOAT *b, int view_x, int left, int top)
{
    set_clip_rect(mb, view_x, 0, view_x + 511, 767);
    draw_sprite(mb, b->bmp_rot, view_x + (int)b->x - left, (int)b->y - top);
    set_clip_rect(mb, 0, 0, mb->w - 1, mb->h - 1);
}

// Each view shows one world with both boats in it, player 2's over player
// 1's: the views are cut from the island picture and each boat is drawn
// into both where it lies in them, which shows what composing the whole
// world first would, without copying the whole picture every frame.
static void draw_view(int view_x, int left, int top)
{
    blit(ostrov, mb, left, top, view_x, 0, 512, 768);
    draw_in_view(&boat, view_x, left, top);
    draw_in_view(&super, view_x, left, top);
}

void draw_split_views()
{
    camera(&boat, 256, 512, &camleft1, &camup1);
    rotate(boat.bmp, boat.bmp_rot, boat.rot + 90);
    camera(&super, 256, 512, &camleft2, &camup2);
    rotate(super.bmp, super.bmp_rot, super.rot + 90);
    draw_view(0, camleft1, camup1);
    draw_view(512, camleft2, camup2);
    // The divider flickers: a new red every frame, never a full 255.
    vline(mb, 512, 0, 768, makecol(rand() % 255, 0, 0));
}

// The views: cameras that follow the boats, the island window and the
// boats drawn turned to their headings.
#ifndef TAVUNA_VIEW_H
#define TAVUNA_VIEW_H

#include "game.h"

extern int camleft1, camup1;   // view 1, following player 1
extern int camleft2, camup2;   // view 2, following player 2

void draw_single_view();
void draw_split_views();
void draw_boat(BOAT *b, BITMAP *dest, int x, int y, float angle);

#endif

// The pictures: island, boats, menu background and HUD panel.
#ifndef TAVUNA_PAINT_H
#define TAVUNA_PAINT_H

#include <allegro.h>

BITMAP *paint_island(BITMAP *mask);
BITMAP *paint_boat(int r, int g, int b);
BITMAP *paint_menu();
BITMAP *paint_panel();

#endif

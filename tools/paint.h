// The pictures: island, boats, menu background and HUD panel, drawn by
// hand-written procedures from deterministic noise.
#ifndef TAVUNA_PAINT_H
#define TAVUNA_PAINT_H

#include "course.h"
#include <allegro.h>

BITMAP *paint_island(const course &c, BITMAP *mask);
BITMAP *paint_boat(int r, int g, int b);
BITMAP *paint_menu(BITMAP *island, BITMAP *boat);
BITMAP *paint_panel();

#endif

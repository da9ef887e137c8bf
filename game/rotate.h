// Turning bitmaps and points, and blending colours.
#ifndef TAVUNA_ROTATE_H
#define TAVUNA_ROTATE_H

#include <allegro.h>

typedef struct { int r, g, b; } trgb;

void rotate(BITMAP *bmp, BITMAP *tmp, float angle);
void rot(int x, int y, int cx, int cy, float cosine, float sine, float *rx, float *ry);
trgb gra(trgb c1, trgb c2, float i);

#endif

// Colours as floating-point triples and the deterministic noise the
// pictures are textured with.
#ifndef TAVUNA_COLOUR_H
#define TAVUNA_COLOUR_H

#include <allegro.h>

struct rgb {
    double r, g, b;
};

rgb mix(rgb a, rgb b, double t);              // a at 0, b at 1
rgb scale(rgb a, double f);
int pack(rgb c);                              // a 24-bit Allegro colour, clamped
rgb unpack(int c);
void blend_pixel(BITMAP *bmp, int x, int y, rgb c, double t);

double hash01(int x, int y, int seed);        // the same number for the same arguments
double noise(double x, double y, int seed);   // smooth value noise in 0..1
double fbm(double x, double y, int seed);     // four octaves of it

#endif

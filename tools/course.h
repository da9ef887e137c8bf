// The race course: the closed loop of the control-point table, shifted so
// that a boat drawn at a path point sits in mid-channel, and the track mask
// drawn around it.
#ifndef TAVUNA_COURSE_H
#define TAVUNA_COURSE_H

#include <allegro.h>
#include <vector>

enum { mask_w = 2100, mask_h = 1900 };

// Red codes of the track mask.
enum { code_land = 0, code_one = 64, code_two = 128, code_three = 32, code_finish = 192,
       code_water = 255 };

struct pt {
    double x, y;
};

// A checkpoint band: the water around the centre-line samples first..last.
struct band {
    int code;
    int first, last;
};

struct start {
    float x, y;      // top-left corner of the sprite
    float heading;
};

struct course {
    std::vector<pt> line;        // the centre line, about one sample per pixel of length
    std::vector<double> left;    // water left of each sample, looking along the course
    std::vector<double> right;   // and right of it
    int cross_a, cross_b;        // the two branches' samples at the crossing
    band bands[3];
    start starts[2];             // player 1, then the opponent
};

course make_course();
int along(const course &c, int i, int j);   // samples between i and j, the shorter way round
pt tangent(const course &c, int i);         // unit direction of racing at sample i
pt bow_point(const start &s);               // where the bow probe reads the mask at a start

// For every pixel of a mask_w x mask_h grid, the index of the nearest pixel
// whose seed flag is set, or -1 when there is none.
std::vector<int> nearest_seed(const std::vector<char> &seed);

BITMAP *make_mask(const course &c);

#endif

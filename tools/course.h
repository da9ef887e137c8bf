// The race course: the closed loop of the control-point table, shifted so
// that a boat drawn at a path point sits in mid-channel, and the track mask
// drawn around it.
#ifndef TAVUNA_COURSE_H
#define TAVUNA_COURSE_H

#include <allegro.h>
#include <vector>

struct pt {
    double x, y;
};

std::vector<pt> centre_line();        // the loop, one sample per pixel of length
BITMAP *make_mask(const std::vector<pt> &line);

#endif

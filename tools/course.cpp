#include "course.h"
#include "cpu.h"
#include <cmath>

// A boat's position is the top-left corner of its 100 x 100 sprite.
static const double shift = 50;

static pt bezier(const int *row, double t)
{
    double u = 1 - t;
    double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
    return {a * row[0] + b * row[2] + c * row[4] + d * row[6] + shift,
            a * row[1] + b * row[3] + c * row[5] + d * row[7] + shift};
}

std::vector<pt> centre_line()
{
    std::vector<pt> line;
    for (int s = 0; s < 26; s++)
        for (int k = 0; k < 400; k++)
            line.push_back(bezier(pots[s], k / 400.0));
    return line;
}

BITMAP *make_mask(const std::vector<pt> &line)
{
    BITMAP *mask = create_bitmap_ex(24, 2100, 1900);
    clear_to_color(mask, makecol24(0, 0, 0));
    for (const pt &p : line)
        circlefill(mask, (int)p.x, (int)p.y, 70, makecol24(255, 255, 255));
    return mask;
}

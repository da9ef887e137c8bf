#include <allegro.h>
#include <cmath>
#include <cstdint>
#include "cpu.h"
#include "handling.h"
#include "rotate.h"
#include "track.h"

int gx, gy;

// The race-clock time at which each boat's current lap began.
static clock_time boat_lap_start, super_lap_start;

void reset_lap_starts()
{
    boat_lap_start = clock_time{0, 0};
    super_lap_start = clock_time{0, 0};
}

static clock_time *lap_start(BOAT *b) { return b == &boat ? &boat_lap_start : &super_lap_start; }

// Turns the bow-marker template to the heading and finds its marker; the
// last match of the column-by-column scan wins.
void bow_offset(float heading)
{
    rotate(wp, bc, heading);
    // bc is a 32-bit memory bitmap, so its rows are read directly.
    for (int x = 0; x < bc->w; x++)
        for (int y = 0; y < bc->h; y++)
            if (getr32(((int32_t *)bc->line[y])[x]) == 254) {
                gx = x;
                gy = y;
            }
}

// Outside the mask getpixel gives -1, whose red is 255: open water.
static int mask_red(int x, int y) { return getr_depth(bitmap_color_depth(alpha), getpixel(alpha, x, y)); }

void complete_lap(BOAT *b)
{
    b->cp_one = b->cp_two = b->cp_three = 0;
    clock_time now = read_clock();
    clock_time *start = lap_start(b);
    b->last_lap_sec = now.sec - start->sec;
    b->last_lap_min = now.min - start->min;
    if (b->last_lap_sec < 0) {
        b->last_lap_min -= 1;
        b->last_lap_sec += 60;
    }
    *start = now;
    if (b->last_lap_min * 60 + b->last_lap_sec < b->best_lap_min * 60 + b->best_lap_sec) {
        b->best_lap_sec = b->last_lap_sec;
        b->best_lap_min = b->last_lap_min;
    }
    b->round++;
    if (b == &boat)
        play_sound(dray);
}

void probe(BOAT *b)
{
    bow_offset(b->rot);
    int red = mask_red((int)(gx + b->x), (int)(gy + b->y));
    if (red == mask_land) {
        b->xv = b->xv * -0.75;
        b->yv = b->yv * -0.75;
    }
    if (red == mask_cp_one)
        b->cp_one = 1;
    if (red == mask_cp_two)
        b->cp_two = 1;
    if (red == mask_cp_three)
        b->cp_three = 1;
    if (red == mask_finish && b->cp_one == 1 && b->cp_two == 1 && b->cp_three == 1)
        complete_lap(b);
}

static void swap_motion()
{
    float t;
    t = boat.rot, boat.rot = super.rot, super.rot = t;
    t = boat.xv, boat.xv = super.xv, super.xv = t;
    t = boat.yv, boat.yv = super.yv, super.yv = t;
}

// The player is turned to the CPU path's heading and pushed along it; the
// CPU boat gets a knock-back of length 1 (its pi is 3.14).
static void knock_back()
{
    float h = getAI_rot(AI_pos);
    boat.xv = 5 * cos(radians(h));
    boat.yv = 5 * sin(radians(h));
    boat.rot = h;
    super.xv = cos(boat.rot / 360.0 * 2 * 3.14);
    super.yv = sin(boat.rot / 360.0 * 2 * 3.14);
}

// Each square is truncated before the two are added.  One beyond the
// contact distance is capped, so boats far apart cannot overflow the int.
static int trunc_square(float d)
{
    float s = d * d;
    return s > 8101 ? 8101 : (int)s;
}

void test_contact()
{
    int d = trunc_square(boat.x - super.x) + trunc_square(boat.y - super.y);
    if (d > 8100)
        return;
    play_sound(spring);
    if (game_mode == mode_multiplayer)
        swap_motion();
    else if (game_mode == mode_carrier)
        knock_back();
}

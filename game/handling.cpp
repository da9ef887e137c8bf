#include <allegro.h>
#include <cmath>
#include "handling.h"

const keymap player1_keys = {KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT};
const keymap player2_keys = {KEY_W, KEY_S, KEY_A, KEY_D};

double radians(float degrees) { return degrees / 360.0 * 2 * 3.1415926535; }

// One drag step towards rest; a speed within one step of 0 is left alone,
// so a boat never comes exactly to rest by drag.
void drag(BOAT *b)
{
    float s = b->slowdown;
    if (b->xv > s)
        b->xv -= s;
    if (b->yv > s)
        b->yv -= s;
    if (b->xv < -s)
        b->xv += s;
    if (b->yv < -s)
        b->yv += s;
}

static void move(BOAT *b)
{
    double theta = radians(b->rot);
    b->x = b->x + cos(theta) * b->xv;
    b->y = b->y + sin(theta) * b->yv;
}

static void change_speed(BOAT *b, const keymap &k)
{
    if (key[k.thrust]) {
        if (b->xv < b->maxspeed && b->yv < b->maxspeed) {
            b->xv += b->speedup;
            b->yv += b->speedup;
        }
        return;
    }
    if (key[k.brake])
        drag(b);
    drag(b);
}

static void steer(BOAT *b, const keymap &k)
{
    if (key[k.left])
        b->rot -= b->rotate;
    if (key[k.right])
        b->rot += b->rotate;
}

// The move uses the speed found at the start of the step; the new speed
// and heading act from the next frame.
void handle(BOAT *b, const keymap &k)
{
    move(b);
    change_speed(b, k);
    steer(b, k);
}

#include <allegro.h>
#include <atomic>
#include "game.h"
#include "timer.h"

static std::atomic<int> frame_ticks{0};
static bool pacing = false;

static void frame_tick() { frame_ticks++; }

void install_clock()
{
    // Installing the same callback again only sets its speed again, so a
    // later race keeps one tick source.
    install_int(mooove_time, 1000);
}

void wait_frame()
{
    if (!pacing) {
        install_int_ex(frame_tick, BPS_TO_TIMER(60));
        pacing = true;
    }
    while (frame_ticks.load() == 0)
        rest(1);
    frame_ticks = 0;
}

void pause_ms(int ms) { rest(ms); }

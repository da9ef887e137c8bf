#include <allegro.h>
#include "fake_timer.h"
#include "timer.h"

int clock_installs;
int frames_waited;
int paused_ms;
int pauses;
bool press_escape_on_wait;

void install_clock() { clock_installs++; }
void wait_frame()
{
    frames_waited++;
    if (press_escape_on_wait)
        key[KEY_ESC] = 1;
}
void pause_ms(int ms)
{
    paused_ms += ms;
    pauses++;
}

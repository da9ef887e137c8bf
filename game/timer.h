// Everything that waits on real time.  The game links timer.cpp; the tests
// link a fake, since Allegro's timer cannot be installed headless.
#ifndef TAVUNA_TIMER_H
#define TAVUNA_TIMER_H

void install_clock();   // mooove_time once a second from now on
void wait_frame();      // sleeps until the next 1/60 s tick
void pause_ms(int ms);

#endif

// The tests' stand-in for the game's timer: nothing waits, everything is
// counted.
#ifndef TAVUNA_FAKE_TIMER_H
#define TAVUNA_FAKE_TIMER_H

extern int clock_installs;
extern int frames_waited;
extern int paused_ms;
extern int pauses;
extern bool press_escape_on_wait;   // Escape goes down while a frame waits

#endif

// Headless Allegro for the game's tests: memory bitmaps, the screen a
// memory bitmap, the game's generated data loaded as at start-up.
#ifndef TAVUNA_HEADLESS_H
#define TAVUNA_HEADLESS_H

#include <allegro.h>

void headless_allegro();   // Allegro without devices, at 32 bits, once
void load_headless_game(); // and the game's data and state, once
void release_input();      // every key and button up, pointer at 0, 0
void fresh_race(int mode); // a new race as a mode choice starts it, no loop
bool same_picture(BITMAP *a, BITMAP *b);
void advance_clock(int seconds);   // the race clock ticks that many times

#endif

// The game's spine: the boats, the mode, the race clock, the settings, the
// pictures, sounds and font loaded at start-up, the outer loop and the
// exit screen.
#ifndef TAVUNA_GAME_H
#define TAVUNA_GAME_H

#include <allegro.h>
#include <atomic>
#include <csignal>
#include "alfont.h"

typedef struct boat {
    float x, y;        // top-left corner of the sprite, world pixels
    float xv, yv;      // speed factors along the heading, pixels per frame
    float rot;         // heading in degrees, 0 along +x, clockwise on screen
    float rotate;      // steering step, degrees per frame
    float maxspeed;    // thrust only while both speeds are below this
    float speedup;     // added by each frame of thrust
    float slowdown;    // the drag step
    int round;         // laps completed
    int cp_one, cp_two, cp_three;
    int last_lap_sec, best_lap_sec, last_lap_min, best_lap_min;
    int AI;            // unused
    BITMAP *bmp;       // the sprite, bow up, on magenta
    BITMAP *bmp_rot;   // receives the turned sprite each time it is drawn
} BOAT;

extern BOAT boat;      // player 1
extern BOAT super;     // the CPU boat in "Carrier", player 2 in "Multiplayer"

enum { mode_multiplayer = 0, mode_carrier = 1, mode_practice = 2 };
extern int game_mode;
extern int winning_laps;

// The race clock.  Only mooove_time writes it, on the timer thread; the
// sequence count lets readers take minutes and seconds as one pair.
extern std::atomic<int> global_sec, global_min;
struct clock_time { int min, sec; };
void mooove_time();
clock_time read_clock();
void reset_clock();

// The options screen's settings.
extern int nlaps, colb, cols, res, depth, vol;

// Resources, created or loaded once at start-up.
extern BITMAP *mb, *ostrov, *alpha, *menu, *panel, *wp, *bc;
extern BITMAP *boat_pics[3];   // red, green and blue boats, by colour setting
extern SAMPLE *dray, *spring, *main_sample;
extern ALFONT_FONT *pump;

enum { white = 0xffffff, black = 0 };

// Set when the system asks the game to end (SIGINT, SIGTERM): the race
// and the menus then leave for the exit screen, as Escape and "Exit" do.
extern volatile sig_atomic_t quit_requested;

bool startup();            // false after one line on stderr naming the cause
bool load_game();          // everything after the screen mode: data and state
void set_start_values();
void outer_loop();         // returns when the player chose to leave
void exit_screen();
void play_sound(SAMPLE *s);

#endif

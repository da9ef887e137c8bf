#include "game.h"
#include "menu.h"

// Until the menus exist, the game goes straight into a "Practice" race.
int run_menus() { return mode_practice; }

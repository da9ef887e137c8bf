// The menu screens: main menu, mode menu, credits and options, with the
// menu bar they share.
#ifndef TAVUNA_MENU_H
#define TAVUNA_MENU_H

enum { menu_exit = -1 };

// Shows the menus from the main menu on; returns the chosen game mode, or
// menu_exit when the player chose "Exit".
int run_menus();

#endif

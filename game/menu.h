// The menu screens: main menu, mode menu, credits and options, with the
// menu bar they share.  Each screen is drawn and tested pass by pass until
// one of its items acts.
#ifndef TAVUNA_MENU_H
#define TAVUNA_MENU_H

enum { menu_exit = -1 };

enum menu_screen { main_menu, mode_menu, credits_screen, options_screen };

// What a pass ended in: nothing yet (the screen stays), another screen, a
// race in the chosen mode, or the exit screen.
struct menu_step {
    enum { stay, go_to, race, leave } what;
    int value;   // the screen for go_to, the game mode for race
};

// One pass of a screen: composes it in mb and shows it, unless an item
// acts first, in which case the rest of the pass is neither drawn nor shown.
menu_step menu_pass(menu_screen s);

// Shows the menus from the main menu on; returns the chosen game mode, or
// menu_exit when the player chose "Exit".
int run_menus();

#endif

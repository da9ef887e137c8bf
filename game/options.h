// The settings area of the options screen: six groups of three tick boxes,
// one per setting, with an "X" on the current choice of each.
#ifndef TAVUNA_OPTIONS_H
#define TAVUNA_OPTIONS_H

// Draws the area into mb, stores the value of a box clicked in this pass,
// then marks every group's choice, so a click shows in its own pass.
void draw_options();

#endif

// Boat handling: move along the heading, thrust or drag and brake, steer.
#ifndef TAVUNA_HANDLING_H
#define TAVUNA_HANDLING_H

#include "game.h"

struct keymap { int thrust, brake, left, right; };
extern const keymap player1_keys;   // the arrow keys
extern const keymap player2_keys;   // W, S, A and D

void handle(BOAT *b, const keymap &k);
void drag(BOAT *b);
double radians(float degrees);

#endif

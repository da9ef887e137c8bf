// The boats meet the world and each other: the bow probe on the track
// mask (land, checkpoints, finish line, laps) and the boat contact test.
#ifndef TAVUNA_TRACK_H
#define TAVUNA_TRACK_H

#include "game.h"

// Red codes of the track mask; any other red is open water.
enum { mask_land = 0, mask_cp_one = 64, mask_cp_two = 128, mask_cp_three = 32, mask_finish = 192 };

extern int gx, gy;   // bow offset found by the last probe

void probe(BOAT *b);
void bow_offset(float heading);
void complete_lap(BOAT *b);
void test_contact();
void reset_lap_starts();

#endif

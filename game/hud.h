// The head-up display over the race view: panel, clock, credit line and
// the players' lap lines.
#ifndef TAVUNA_HUD_H
#define TAVUNA_HUD_H

void draw_hud();

#endif

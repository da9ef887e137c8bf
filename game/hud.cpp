#include <allegro.h>
#include "game.h"
#include "hud.h"

static void draw_lap_lines(const BOAT *b, int x)
{
    alfont_textprintf_aa(mb, pump, x, 10, black, "Laps %d", b->round);
    alfont_textprintf_aa(mb, pump, x, 40, black, "Last lap time %d:%d", b->last_lap_min, b->last_lap_sec);
    alfont_textprintf_aa(mb, pump, x, 70, black, "Best lap time %d:%d", b->best_lap_min, b->best_lap_sec);
}

// Minutes, colon and seconds are three texts so that each keeps its centre
// whatever the number of digits.
static void draw_clock()
{
    clock_time t = read_clock();
    alfont_set_font_size(pump, 75);
    alfont_textprintf_centre_aa(mb, pump, 512, 0, white, ":");
    alfont_textprintf_centre_aa(mb, pump, 555, 0, white, "%d", t.sec);
    alfont_textprintf_centre_aa(mb, pump, 472, 0, white, "%d", t.min);
}

void draw_hud()
{
    draw_sprite(mb, panel, 412, 0);
    draw_clock();
    alfont_set_font_size(pump, 20);
    alfont_textprintf_centre_aa(mb, pump, 512, 70, white, "powered by Orvo games");
    alfont_set_font_size(pump, 35);
    draw_lap_lines(&boat, 20);
    if (game_mode == mode_multiplayer)
        draw_lap_lines(&super, 810);
}

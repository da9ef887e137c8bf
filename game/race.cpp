#include <allegro.h>
#include "cpu.h"
#include "game.h"
#include "handling.h"
#include "hud.h"
#include "race.h"
#include "timer.h"
#include "track.h"
#include "view.h"

// Every mode choice starts a fresh race: the boats, their laps and lap
// times, the CPU's place and knock-back, and the clock.
void reset_race()
{
    set_start_values();
    boat.bmp = boat_pics[colb];
    super.bmp = boat_pics[cols];
    reset_lap_starts();
    AI_pos = 0;
    reset_clock();
}

race_exit start_race(int mode)
{
    game_mode = mode;
    winning_laps = nlaps;
    reset_race();
    install_clock();
    return race_loop();
}

static void show_back_buffer() { blit(mb, screen, 0, 0, 0, 0, 1024, 768); }

static void total_time_screen()
{
    clock_time t = read_clock();
    clear_to_color(screen, 0);
    alfont_set_font_size(pump, 70);
    alfont_textprintf_centre_aa(screen, pump, 512, 384, white, "your total time in %d lasp is %d:%d", winning_laps,
                                t.min, t.sec);
    pause_ms(2500);
}

// The winner screen replaces the race picture in every frame in which the
// lap count equals the winning laps; Escape then returns to the menus.
static bool winner_screen(const char *player)
{
    clear_to_color(mb, 0);
    alfont_set_font_size(pump, 75);
    alfont_textprintf_centre_aa(mb, pump, 512, 384, white, "The winner is...!");
    alfont_set_font_size(pump, 80);
    alfont_textprintf_centre_aa(mb, pump, 512, 434, white, "%s", player);
    show_back_buffer();
    return key[KEY_ESC];
}

static race_exit race_end()
{
    if (game_mode == mode_practice) {
        if (boat.round == winning_laps) {
            total_time_screen();
            return race_to_menus;
        }
        return race_goes_on;
    }
    if (boat.round == winning_laps && winner_screen("Player no.1"))
        return race_to_menus;
    if (super.round == winning_laps && winner_screen("Player no.2"))
        return race_to_menus;
    return race_goes_on;
}

race_exit race_frame()
{
    if (key[KEY_ESC] || quit_requested)
        return race_to_exit;
    probe(&boat);
    handle(&boat, player1_keys);
    if (game_mode == mode_multiplayer) {
        probe(&super);
        handle(&super, player2_keys);
        draw_split_views();
    } else {
        draw_single_view();
    }
    if (game_mode == mode_carrier)
        place_cpu();
    test_contact();
    if (game_mode == mode_carrier)
        advance_cpu();
    draw_hud();
    // The wait comes before the end test, so an Escape pressed while a
    // winner screen shows is met by the winner screen's own test.
    wait_frame();
    race_exit e = race_end();
    if (e != race_goes_on)
        return e;
    show_back_buffer();
    return race_goes_on;
}

race_exit race_loop()
{
    race_exit e;
    while ((e = race_frame()) == race_goes_on) {
    }
    return e;
}

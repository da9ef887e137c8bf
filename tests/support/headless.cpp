#include <allegro.h>
#include <cerrno>
#include <cstdlib>
#include <gtest/gtest.h>
#include <unistd.h>
#include "game.h"
#include "headless.h"
#include "race.h"

void headless_allegro()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(32);
    screen = create_bitmap(1024, 768);
    alfont_init();
}

void load_headless_game()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    headless_allegro();
    ASSERT_EQ(chdir(TAVUNA_DATA_DIR), 0) << "no data in " << TAVUNA_DATA_DIR;
    ASSERT_TRUE(load_game());
    // Without a graphics driver the screen size reads 0 x 0.
    destroy_bitmap(mb);
    mb = create_bitmap(1024, 768);
}

void release_input()
{
    for (int i = 0; i < KEY_MAX; i++)
        key[i] = 0;
    mouse_x = mouse_y = 0;
    mouse_b = 0;
}

void fresh_race(int mode)
{
    release_input();
    game_mode = mode;
    winning_laps = nlaps;
    reset_race();
}

void advance_clock(int seconds)
{
    for (int i = 0; i < seconds; i++)
        mooove_time();
}

bool same_picture(BITMAP *a, BITMAP *b)
{
    if (a->w != b->w || a->h != b->h)
        return false;
    for (int y = 0; y < a->h; y++)
        for (int x = 0; x < a->w; x++)
            if (getpixel(a, x, y) != getpixel(b, x, y))
                return false;
    return true;
}

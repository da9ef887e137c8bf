#include <allegro.h>
#include "game.h"
#include "menu.h"
#include "options.h"
#include "timer.h"

// A mouse-worked text: where it is drawn (x is its centre, y the top of its
// line), its hit box (inclusive), and what it does.
struct menu_item {
    const char *text;
    int x, y;
    int left, right, top, bottom;
    menu_step act;
};

static const menu_step nothing = {menu_step::stay, 0};

// "Play" and "Exit" are drawn at size 50, "Options" and "Credits" at 35.
static const menu_item bar[] = {
    {"Play", 211, 608, 163, 257, 589, 656, {menu_step::go_to, mode_menu}},
    {"Exit", 707, 608, 667, 755, 602, 657, {menu_step::leave, 0}},
    {"Options", 357, 608, 313, 403, 598, 653, {menu_step::go_to, options_screen}},
    {"Credits", 586, 608, 547, 634, 598, 655, {menu_step::go_to, credits_screen}},
};

// The boxes are 49 rows tall but 50 apart: rows 390 and 440 are no one's.
static const menu_item modes[] = {
    {"Carrier", 206, 357, 101, 305, 341, 389, {menu_step::race, mode_carrier}},
    {"Practice", 206, 397, 101, 305, 391, 439, {menu_step::race, mode_practice}},
    {"Multiplayer", 206, 437, 101, 305, 441, 489, {menu_step::race, mode_multiplayer}},
};

static bool acted(menu_step step) { return step.what != menu_step::stay; }

static void draw_item(const menu_item &it, int colour)
{
    alfont_textprintf_centre_aa(mb, pump, it.x, it.y, colour, it.text);
}

static bool pointer_in(const menu_item &it)
{
    return mouse_x >= it.left && mouse_x <= it.right && mouse_y >= it.top && mouse_y <= it.bottom;
}

// White under the pointer, black elsewhere.  The button counts only while
// the pointer is inside, and only as held: no wait for a fresh press.
static bool live_item(const menu_item &it)
{
    if (!pointer_in(it)) {
        draw_item(it, black);
        return false;
    }
    draw_item(it, white);
    return mouse_b & 1;
}

// The item that leads to the screen already shown stays white and inert.
static menu_step draw_items(menu_screen s, const menu_item *items, int n)
{
    for (int i = 0; i < n; i++) {
        const menu_item &it = items[i];
        if (it.act.what == menu_step::go_to && it.act.value == s)
            draw_item(it, white);
        else if (live_item(it))
            return it.act;
    }
    return nothing;
}

static menu_step draw_bar(menu_screen s)
{
    alfont_set_font_size(pump, 50);
    menu_step step = draw_items(s, bar, 2);
    if (acted(step))
        return step;
    alfont_set_font_size(pump, 35);
    return draw_items(s, bar + 2, 2);
}

// Drawn at the bar's size, 35, then the names at 70.
static void draw_credits()
{
    alfont_textprintf_centre_aa(mb, pump, 206, 417, black, "Programming");
    alfont_textprintf_centre_aa(mb, pump, 764, 417, black, "Graphics");
    alfont_set_font_size(pump, 70);
    alfont_textprintf_centre_aa(mb, pump, 206, 437, black, "Dusan Vrtula");
    alfont_textprintf_centre_aa(mb, pump, 764, 437, black, "Eva Paleta");
}

static menu_step draw_content(menu_screen s)
{
    switch (s) {
    case main_menu:
        break;
    case mode_menu:
        alfont_set_font_size(pump, 60);
        return draw_items(s, modes, 3);
    case credits_screen:
        draw_credits();
        break;
    case options_screen:
        draw_options();
        break;
    }
    return nothing;
}

menu_step menu_pass(menu_screen s)
{
    // The pointer comes off mb before the picture is painted over it.
    show_mouse(NULL);
    blit(menu, mb, 0, 0, 0, 0, 1024, 768);
    menu_step step = draw_bar(s);
    if (!acted(step))
        step = draw_content(s);
    if (acted(step))
        return step;
    alfont_set_font_size(pump, 75);
    alfont_textprintf_centre_aa(mb, pump, 512, 100, black, "Tavuna");
    show_mouse(mb);
    wait_frame();
    blit(mb, screen, 0, 0, 0, 0, 1024, 768);
    return nothing;
}

int run_menus()
{
    menu_screen s = main_menu;
    while (!quit_requested) {
        menu_step step = menu_pass(s);
        if (step.what == menu_step::go_to)
            s = menu_screen(step.value);
        else if (step.what == menu_step::race)
            return step.value;
        else if (step.what == menu_step::leave)
            return menu_exit;
    }
    return menu_exit;
}

// Frame costs: every race mode's real frame, the floor a frame cannot go
// below, the HUD's text and how much of it is FreeType's glyph rendering,
// and the menu passes.  Headless, into memory bitmaps, on the real data and
// text layer; the fake timer makes every wait free.
//
// Usage: frame_bench [frames per measurement, default 2000]
#include <algorithm>
#include <allegro.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>
#include "game.h"
#include "headless.h"
#include "hud.h"
#include "menu.h"
#include "race.h"
#include "view.h"

namespace {

struct figures {
    double median, p99;   // microseconds
};

template <class F> figures measure(int n, F step)
{
    std::vector<double> us(n);
    for (int i = 0; i < n; i++) {
        auto t0 = std::chrono::steady_clock::now();
        step(i);
        auto t1 = std::chrono::steady_clock::now();
        us[i] = std::chrono::duration<double, std::micro>(t1 - t0).count();
    }
    std::sort(us.begin(), us.end());
    return {us[n / 2], us[std::min(n - 1, n * 99 / 100)]};
}

// A player that keeps the throttle open and picks a new steer every 20
// frames from a fixed sequence, braking now and then: the boat runs into
// the banks, bounces and turns away.
struct driver {
    unsigned seed;
    int thrust, brake, left, right;
    int bounces = 0;

    void press(int frame, const BOAT &b)
    {
        if (frame % 20 == 0) {
            seed = seed * 1103515245 + 12345;
            int pick = seed >> 16 & 7;
            key[left] = pick == 1 || pick == 2;
            key[right] = pick == 3 || pick == 4;
            key[brake] = pick == 5;
            key[thrust] = pick != 5;
        }
        if (b.xv < 0)
            bounces++;
    }
};

const char *mode_name(int mode)
{
    return mode == mode_practice ? "Practice" : mode == mode_carrier ? "Carrier" : "Multiplayer";
}

figures race_frames(int mode, int n, int *bounces)
{
    fresh_race(mode);
    driver p1{1, KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT};
    driver p2{2, KEY_W, KEY_S, KEY_A, KEY_D};
    auto frame = [&](int i) {
        p1.press(i, boat);
        if (mode == mode_multiplayer)
            p2.press(i, super);
        if (race_frame() != race_goes_on)
            fresh_race(mode);   // a Practice race that ended starts again
    };
    for (int i = 0; i < 200; i++)
        frame(i);   // warm-up
    figures f = measure(n, frame);
    *bounces = p1.bounces + p2.bounces;
    release_input();
    return f;
}

// What no frame can do without: the island window into the back buffer and
// the back buffer to the screen, the camera wandering as a boat's would.
figures floor_frames(int n)
{
    return measure(n, [](int i) {
        blit(ostrov, mb, (i * 7) % 1076, (i * 5) % 1132, 0, 0, 1024, 768);
        blit(mb, screen, 0, 0, 0, 0, 1024, 768);
    });
}

// The HUD's texts drawn with one font per height, so the glyph tables stay
// filled from one frame to the next: what the text costs without FreeType.
struct warm_fonts {
    ALFONT_FONT *clock, *credit, *laps;
};

void hud_texts_warm(const warm_fonts &w)
{
    alfont_textprintf_centre_aa(mb, w.clock, 512, 0, white, ":");
    alfont_textprintf_centre_aa(mb, w.clock, 555, 0, white, "%d", 7);
    alfont_textprintf_centre_aa(mb, w.clock, 472, 0, white, "%d", 2);
    alfont_textprintf_centre_aa(mb, w.credit, 512, 70, white, "powered by Orvo games");
    alfont_textprintf_aa(mb, w.laps, 20, 10, black, "Laps %d", 1);
    alfont_textprintf_aa(mb, w.laps, 20, 40, black, "Last lap time %d:%d", 1, 5);
    alfont_textprintf_aa(mb, w.laps, 20, 70, black, "Best lap time %d:%d", 1, 5);
}

ALFONT_FONT *font_at(int height)
{
    ALFONT_FONT *f = alfont_load_font("airstream.ttf");
    alfont_set_font_size(f, height);
    return f;
}

void print_row(const char *what, figures f, double floor)
{
    printf("| %-22s | %9.1f | %9.1f | %6.2f |\n", what, f.median, f.p99, f.median / floor);
}

} // namespace

int main(int argc, char **argv)
{
    int n = argc > 1 ? atoi(argv[1]) : 2000;
    load_headless_game();
    if (!pump || !ostrov || !mb) {
        fprintf(stderr, "frame_bench: the game's data did not load\n");
        return 1;
    }

    figures floor = floor_frames(n);
    printf("%d frames per measurement; times in microseconds\n\n", n);
    printf("| %-22s | %9s | %9s | %6s |\n", "what", "median", "p99", "floor×");
    printf("|%s|%s|%s|%s|\n", "------------------------", "-----------", "-----------", "--------");
    print_row("floor", floor, floor.median);
    int bounces[3];
    int modes[] = {mode_practice, mode_carrier, mode_multiplayer};
    for (int m = 0; m < 3; m++) {
        figures f = race_frames(modes[m], n, &bounces[m]);
        print_row(mode_name(modes[m]), f, floor.median);
    }

    // The HUD as a Practice frame draws it, then its parts.
    fresh_race(mode_practice);
    boat.round = 1;
    figures hud = measure(n, [](int) { draw_hud(); });
    figures panel_only = measure(n, [](int) { draw_sprite(mb, ::panel, 412, 0); });
    warm_fonts w = {font_at(75), font_at(20), font_at(35)};
    figures warm = measure(n, [&](int) { hud_texts_warm(w); });
    print_row("HUD", hud, floor.median);
    print_row("HUD panel", panel_only, floor.median);
    print_row("HUD texts, warm glyphs", warm, floor.median);

    menu_screen screens[] = {main_menu, mode_menu, options_screen, credits_screen};
    const char *screen_names[] = {"menu: main", "menu: mode", "menu: options", "menu: credits"};
    for (int s = 0; s < 4; s++)
        print_row(screen_names[s], measure(n, [&](int) { menu_pass(screens[s]); }), floor.median);

    double texts = hud.median - panel_only.median;
    printf("\nHUD texts: %.1f us a frame, of which %.1f us (%.0f%%) is FreeType loading and rendering\n"
           "the glyphs anew after each of the three height changes.\n",
           texts, texts - warm.median, 100 * (texts - warm.median) / texts);
    printf("Bounces off the banks during the runs (Practice, Carrier, Multiplayer): %d, %d, %d frames.\n",
           bounces[0], bounces[1], bounces[2]);
    return 0;
}

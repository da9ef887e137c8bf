#include <allegro.h>
#include <cstdio>
#include <ctime>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>
#include "cpu.h"
#include "datafile.h"
#include "game.h"
#include "menu.h"
#include "race.h"
#include "timer.h"

BOAT boat, super;
int game_mode;
int winning_laps = 3;

std::atomic<int> global_sec{0}, global_min{0};
// Odd while a tick is writing the pair.
static std::atomic<unsigned> clock_seq{0};

int nlaps = 3, colb = 0, cols = 1, res = 0, depth = 16, vol = 255;

BITMAP *mb, *ostrov, *alpha, *menu, *panel, *wp, *bc;
BITMAP *boat_pics[3];
SAMPLE *dray, *spring, *main_sample;
ALFONT_FONT *pump;

void mooove_time()
{
    clock_seq++;
    global_sec++;
    if (global_sec == 60) {
        global_min++;
        global_sec = 0;
    }
    clock_seq++;
}

clock_time read_clock()
{
    for (;;) {
        unsigned before = clock_seq.load();
        clock_time t = {global_min.load(), global_sec.load()};
        if (before % 2 == 0 && clock_seq.load() == before)
            return t;
    }
}

void reset_clock()
{
    clock_seq++;
    global_sec = 0;
    global_min = 0;
    clock_seq++;
}

void play_sound(SAMPLE *s) { play_sample(s, vol, 128, 1000, 0); }

static void set_boat_start(BOAT *b, float x, float y, float heading)
{
    BITMAP *bmp = b->bmp, *bmp_rot = b->bmp_rot;
    *b = BOAT{};
    b->x = x;
    b->y = y;
    b->rot = heading;
    b->rotate = 1.5;
    b->maxspeed = 10.0;
    b->speedup = 0.05;
    b->slowdown = 0.08;
    b->best_lap_min = 99;
    b->best_lap_sec = 99;
    b->bmp = bmp;
    b->bmp_rot = bmp_rot;
}

void set_start_values()
{
    set_boat_start(&boat, 1086.0, 1186.0, -50.0);
    set_boat_start(&super, 1005.0, 987.0, -75.0);
}

// The blue boat is the red one with its red and blue channels swapped;
// magenta stays magenta, so the sprite keeps its transparent background.
static BITMAP *make_blue(BITMAP *red)
{
    BITMAP *blue = create_bitmap(red->w, red->h);
    for (int y = 0; y < red->h; y++)
        for (int x = 0; x < red->w; x++) {
            int c = getpixel(red, x, y);
            putpixel(blue, x, y, makecol(getb(c), getg(c), getr(c)));
        }
    return blue;
}

// The track mask and the bow marker stay 32-bit at any screen depth, so
// their exact red codes survive.
static bool load_mask()
{
    int screen_depth = get_color_depth();
    set_color_depth(32);
    bool ok = load_picture(&alpha, "alpha1.bmp", 2100, 1900);
    set_color_depth(screen_depth);
    return ok;
}

static void make_bow_marker()
{
    bc = create_bitmap_ex(32, 100, 100);
    wp = create_bitmap_ex(32, 100, 100);
    clear_to_color(wp, 0);
    int marker = makecol_depth(32, 254, 255, 255);
    putpixel(wp, 97, 50, marker);
    putpixel(wp, 96, 50, marker);
    putpixel(bc, 97, 50, marker);
}

static bool load_pictures()
{
    if (!load_picture(&boat.bmp, "lodcervena.bmp", 100, 100) ||
        !load_picture(&boat.bmp_rot, "lodcervena.bmp", 100, 100) ||
        !load_picture(&super.bmp, "lodzelena.bmp", 100, 100) ||
        !load_picture(&super.bmp_rot, "lodzelena.bmp", 100, 100) ||
        !load_picture(&ostrov, "ostrov1.bmp", 2100, 1900) || !load_mask() ||
        !load_picture(&menu, "menu.bmp", 1024, 768) || !load_picture(&panel, "panel.bmp", 0, 0))
        return false;
    boat_pics[0] = boat.bmp;
    boat_pics[1] = super.bmp;
    boat_pics[2] = make_blue(boat.bmp);
    return true;
}

static bool load_sounds()
{
    return load_sound(&dray, "sounds/dray.wav") && load_sound(&spring, "sounds/spring.wav") &&
           load_sound(&main_sample, "main.wav");
}

bool load_game()
{
    srand(time(NULL));
    calc_AI();
    alfont_text_mode(-1);
    if (!load_font(&pump, "airstream.ttf"))
        return false;
    mb = create_bitmap(SCREEN_W, SCREEN_H);
    set_start_values();
    make_bow_marker();
    if (!load_pictures() || !load_sounds())
        return false;
    // A font of fixed bitmap sizes cannot take the game's text heights.
    if (alfont_set_font_size(pump, 50) != 0)
        return fail_start("airstream.ttf", "cannot be drawn at the game's text sizes");
    return true;
}

// Full screen if the system allows it, else a window of the same size.
static bool set_screen_mode()
{
    int depth = desktop_color_depth();
    set_color_depth(depth > 0 ? depth : 32);
    if (set_gfx_mode(GFX_AUTODETECT_FULLSCREEN, 1024, 768, 0, 0) == 0)
        return true;
    if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, 1024, 768, 0, 0) == 0)
        return true;
    char why[256];
    snprintf(why, sizeof why, "cannot be set (%s)", allegro_error);
    return fail_start("1024 x 768 screen mode", why);
}

// No sound device: the game plays silently.  The sound library's own
// complaints about the missing device would otherwise stand on stderr,
// where only the game's one line about a real failure belongs.
static void install_sound_quietly()
{
    fflush(stderr);
    int saved = dup(2), null = open("/dev/null", O_WRONLY);
    if (null >= 0) {
        dup2(null, 2);
        close(null);
    }
    if (install_sound(DIGI_AUTODETECT, MIDI_NONE, NULL) != 0)
        install_sound(DIGI_NONE, MIDI_NONE, NULL);
    if (saved >= 0) {
        dup2(saved, 2);
        close(saved);
    }
}

volatile sig_atomic_t quit_requested;

static void request_quit(int) { quit_requested = 1; }

// Allegro's own handlers shut the library down inside the signal, which
// can deadlock on a lock the interrupted code holds; the game instead
// notes the request and ends the ordinary way.
static void install_quit_signals()
{
    struct sigaction sa = {};
    sa.sa_handler = request_quit;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, NULL);
    sigaction(SIGTERM, &sa, NULL);
}

bool startup()
{
    if (allegro_init() != 0) {
        // Without a display Allegro finds no system driver and says nothing.
        fprintf(stderr, "tavuna: Allegro cannot start: %s\n",
                *allegro_error ? allegro_error : "no display or console to run on");
        return false;
    }
    install_quit_signals();
    if (alfont_init() != 0) {
        fprintf(stderr, "tavuna: FreeType cannot start\n");
        return false;
    }
    install_keyboard();
    install_mouse();
    install_timer();
    if (!set_screen_mode())
        return false;
    install_sound_quietly();
    return load_game();
}

void outer_loop()
{
    for (;;) {
        play_sound(main_sample);
        int mode = run_menus();
        if (mode == menu_exit || start_race(mode) == race_to_exit)
            return;
    }
}

void exit_screen()
{
    clear_to_color(screen, 0);
    alfont_set_font_size(pump, 70);
    alfont_textout_centre_aa(screen, pump, "Special thanks", 512, 300, white);
    alfont_set_font_size(pump, 50);
    alfont_textout_centre_aa(screen, pump, "Marta Vlnkova", 512, 400, white);
    alfont_textout_centre_aa(screen, pump, "Juraj Kormidlo", 512, 450, white);
    pause_ms(3000);
    printf("smrt blenderu");
    fflush(stdout);
}

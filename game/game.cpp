#include <allegro.h>
#include <cstdio>
#include <ctime>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include "cpu.h"
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

// One line on stderr naming the cause; the caller then exits with status 1.
static bool fail(const char *what, const char *why)
{
    if (gfx_driver)
        set_gfx_mode(GFX_TEXT, 0, 0, 0, 0);
    fprintf(stderr, "tavuna: %s: %s\n", what, why);
    return false;
}

static unsigned le16(const unsigned char *p) { return p[0] | p[1] << 8; }
static unsigned le32(const unsigned char *p) { return le16(p) | le16(p + 2) << 16; }
static unsigned be16(const unsigned char *p) { return p[0] << 8 | p[1]; }
static unsigned be32(const unsigned char *p) { return be16(p) << 16 | be16(p + 2); }

static void say_truncated(char *why, long size, long long needed)
{
    snprintf(why, 120, "is truncated: %ld of %lld bytes", size, needed);
}

// Opens a data file for a look at its headers; null with the reason in
// why when it is missing or empty.
static FILE *open_data(const char *name, long *size, char *why)
{
    FILE *f = fopen(name, "rb");
    if (!f) {
        snprintf(why, 120, "missing or unreadable");
        return NULL;
    }
    fseek(f, 0, SEEK_END);
    *size = ftell(f);
    rewind(f);
    if (*size <= 0) {
        snprintf(why, 120, "is empty");
        fclose(f);
        return NULL;
    }
    return f;
}

// Allegro loads a BMP cut short with garbage for its missing rows, and
// turns an 8-bit one into colours of 6 bits a channel, which would shift
// the exact red codes of the track mask: the file must hold 24 or 32-bit
// pixels, all of the rows its header promises.
static bool bmp_problem(FILE *f, long size, char *why)
{
    unsigned char h[54];
    if (fread(h, 1, sizeof h, f) != sizeof h || h[0] != 'B' || h[1] != 'M') {
        snprintf(why, 120, "not a BMP picture");
        return true;
    }
    int w = (int)le32(h + 18), rows = (int)le32(h + 22), bits = le16(h + 28);
    if (bits != 24 && bits != 32) {
        snprintf(why, 120, "is %d-bit, expected 24 or 32-bit colour", bits);
        return true;
    }
    if (w <= 0 || rows == 0) {
        snprintf(why, 120, "is %d x %d pixels", w, rows);
        return true;
    }
    long long stride = ((long long)w * bits + 31) / 32 * 4;
    long long needed = le32(h + 10) + stride * (rows < 0 ? -(long long)rows : rows);
    if (size < needed) {
        say_truncated(why, size, needed);
        return true;
    }
    return false;
}

// Allegro plays 8 and 16-bit PCM only, and refuses a WAV cut short
// without saying so: the format and the length of the sound data are
// looked at first, walking the chunks as Allegro does.
static bool wav_problem(FILE *f, long size, char *why)
{
    unsigned char h[24];
    if (fread(h, 1, 12, f) != 12 || memcmp(h, "RIFF", 4) || memcmp(h + 8, "WAVE", 4)) {
        snprintf(why, 120, "not a WAV sound");
        return true;
    }
    bool format = false;
    while (fread(h, 1, 8, f) == 8) {
        long len = le32(h + 4), at = ftell(f);
        if (!memcmp(h, "fmt ", 4)) {
            if (len < 16 || fread(h + 8, 1, 16, f) != 16) {
                say_truncated(why, size, (long long)at + 16);
                return true;
            }
            if (le16(h + 8) != 1 || (le16(h + 22) != 8 && le16(h + 22) != 16)) {
                snprintf(why, 120, "is not 8 or 16-bit PCM (format %u, %u bits)", le16(h + 8), le16(h + 22));
                return true;
            }
            format = true;
        } else if (!memcmp(h, "data", 4)) {
            if (!format)
                break;
            if (size < at + len) {
                say_truncated(why, size, (long long)at + len);
                return true;
            }
            return false;
        }
        fseek(f, at + len, SEEK_SET);
    }
    snprintf(why, 120, "has no PCM format and sound data");
    return true;
}

// FreeType opens a TrueType or OpenType font whose later tables are cut
// off and then draws from whatever follows: every table must lie inside
// the file.  Other kinds of font are left to FreeType.
static bool font_problem(FILE *f, long size, char *why)
{
    unsigned char h[16];
    if (fread(h, 1, 12, f) != 12 || (memcmp(h, "\0\1\0\0", 4) && memcmp(h, "OTTO", 4) && memcmp(h, "true", 4)))
        return false;
    for (unsigned i = 0, tables = be16(h + 4); i < tables; i++) {
        if (fread(h, 1, 16, f) != 16) {
            say_truncated(why, size, 12 + 16LL * tables);
            return true;
        }
        long long end = (long long)be32(h + 8) + be32(h + 12);
        if (end > size) {
            say_truncated(why, size, end);
            return true;
        }
    }
    return false;
}

// Looks the file over with one of the checks above; false after the one
// line on stderr.
static bool check_data(const char *name, bool (*problem)(FILE *, long, char *))
{
    char why[120];
    long size;
    FILE *f = open_data(name, &size, why);
    if (!f)
        return fail(name, why);
    bool bad = problem(f, size, why);
    fclose(f);
    return bad ? fail(name, why) : true;
}

// Loads a picture that must be w x h (0 for any size).
static bool load_picture(BITMAP **bmp, const char *name, int w, int h)
{
    if (!check_data(name, bmp_problem))
        return false;
    *bmp = load_bitmap(name, NULL);
    if (!*bmp)
        return fail(name, "not a BMP picture that can be loaded");
    if ((w && (*bmp)->w != w) || (h && (*bmp)->h != h)) {
        char why[80];
        snprintf(why, sizeof why, "is %d x %d, expected %d x %d", (*bmp)->w, (*bmp)->h, w, h);
        return fail(name, why);
    }
    return true;
}

static bool load_sound(SAMPLE **s, const char *name)
{
    if (!check_data(name, wav_problem))
        return false;
    *s = load_sample(name);
    if (!*s)
        return fail(name, "not a PCM WAV sound that can be loaded");
    return true;
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
    if (!check_data("airstream.ttf", font_problem))
        return false;
    pump = alfont_load_font("airstream.ttf");
    if (!pump)
        return fail("airstream.ttf", "not a font FreeType can open");
    mb = create_bitmap(SCREEN_W, SCREEN_H);
    set_start_values();
    make_bow_marker();
    if (!load_pictures() || !load_sounds())
        return false;
    // A font of fixed bitmap sizes cannot take the game's text heights.
    if (alfont_set_font_size(pump, 50) != 0)
        return fail("airstream.ttf", "cannot be drawn at the game's text sizes");
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
    return fail("1024 x 768 screen mode", why);
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

// The data files, looked over before Allegro or FreeType load them: a file
// that is missing, empty, cut short or not of its kind stops the game with
// one line on stderr instead of loading as garbage.
#include <allegro.h>
#include <cstdio>
#include <cstring>
#include "datafile.h"

// One line on stderr naming the cause; the caller then exits with status 1.
bool fail_start(const char *what, const char *why)
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
        return fail_start(name, why);
    bool bad = problem(f, size, why);
    fclose(f);
    return bad ? fail_start(name, why) : true;
}

// Loads a picture that must be w x h (0 for any size).
bool load_picture(BITMAP **bmp, const char *name, int w, int h)
{
    if (!check_data(name, bmp_problem))
        return false;
    *bmp = load_bitmap(name, NULL);
    if (!*bmp)
        return fail_start(name, "not a BMP picture that can be loaded");
    if ((w && (*bmp)->w != w) || (h && (*bmp)->h != h)) {
        char why[80];
        snprintf(why, sizeof why, "is %d x %d, expected %d x %d", (*bmp)->w, (*bmp)->h, w, h);
        return fail_start(name, why);
    }
    return true;
}

bool load_sound(SAMPLE **s, const char *name)
{
    if (!check_data(name, wav_problem))
        return false;
    *s = load_sample(name);
    if (!*s)
        return fail_start(name, "not a PCM WAV sound that can be loaded");
    return true;
}

bool load_font(ALFONT_FONT **f, const char *name)
{
    if (!check_data(name, font_problem))
        return false;
    *f = alfont_load_font(name);
    if (!*f)
        return fail_start(name, "not a font FreeType can open");
    return true;
}

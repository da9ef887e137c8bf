// Writes every data file the game reads into one folder:
//   mkdata <data folder> <font file>
#include "course.h"
#include "paint.h"
#include "sound.h"
#include <allegro.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>

static bool save(const std::string &dir, const char *name, BITMAP *bmp)
{
    bool ok = save_bmp((dir + "/" + name).c_str(), bmp, NULL) == 0;
    destroy_bitmap(bmp);
    if (!ok)
        fprintf(stderr, "mkdata: cannot write %s/%s\n", dir.c_str(), name);
    return ok;
}

static bool copy_file(const char *from, const std::string &to)
{
    FILE *in = fopen(from, "rb");
    if (!in)
        return false;
    FILE *out = fopen(to.c_str(), "wb");
    bool ok = out != NULL;
    char buf[65536];
    size_t n;
    while (ok && (n = fread(buf, 1, sizeof buf, in)) > 0)
        ok = fwrite(buf, 1, n, out) == n;
    fclose(in);
    if (out && fclose(out) != 0)
        ok = false;
    return ok;
}

static bool write_sounds(const std::string &dir)
{
    return write_chime(dir + "/sounds/dray.wav") && write_bump(dir + "/sounds/spring.wav") &&
           write_tune(dir + "/main.wav");
}

int main(int argc, char **argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: mkdata <data folder> <font file>\n");
        return 2;
    }
    std::string dir = argv[1];
    mkdir(dir.c_str(), 0755);
    mkdir((dir + "/sounds").c_str(), 0755);
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        fprintf(stderr, "mkdata: Allegro cannot start: %s\n", allegro_error);
        return 1;
    }
    set_color_depth(24);

    if (!copy_file(argv[2], dir + "/airstream.ttf")) {
        fprintf(stderr, "mkdata: cannot copy the font %s\n", argv[2]);
        return 1;
    }
    course c = make_course();
    BITMAP *mask = make_mask(c);
    BITMAP *island = paint_island(c, mask);
    BITMAP *red = paint_boat(200, 40, 30);
    // The menu shows the island and the red boat, so it is drawn before they
    // are saved and released.
    bool ok = save(dir, "menu.bmp", paint_menu(island, red)) && save(dir, "ostrov1.bmp", island) &&
              save(dir, "alpha1.bmp", mask) && save(dir, "lodcervena.bmp", red) &&
              save(dir, "lodzelena.bmp", paint_boat(40, 170, 60)) && save(dir, "panel.bmp", paint_panel());
    if (!ok || !write_sounds(dir)) {
        fprintf(stderr, "mkdata: cannot write the data in %s\n", dir.c_str());
        return 1;
    }
    return 0;
}
END_OF_MAIN()

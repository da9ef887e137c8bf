#include "data_support.h"
#include "headless.h"
#include <cstdio>

std::string data_path(const char *name) { return std::string(TAVUNA_DATA_DIR) + "/" + name; }

BITMAP *load_data_bitmap(const char *name)
{
    headless_allegro();
    return load_bitmap(data_path(name).c_str(), NULL);
}

std::vector<unsigned char> read_file(const std::string &path)
{
    std::vector<unsigned char> bytes;
    FILE *f = fopen(path.c_str(), "rb");
    if (!f)
        return bytes;
    int ch;
    while ((ch = fgetc(f)) != EOF)
        bytes.push_back(ch);
    fclose(f);
    return bytes;
}

int red_at(BITMAP *bmp, int x, int y) { return getr32(getpixel(bmp, x, y)); }

bool is_magenta(BITMAP *bmp, int x, int y) { return getpixel(bmp, x, y) == makecol32(255, 0, 255); }

double luminance(BITMAP *bmp, int x, int y)
{
    int c = getpixel(bmp, x, y);
    return 0.299 * getr32(c) + 0.587 * getg32(c) + 0.114 * getb32(c);
}

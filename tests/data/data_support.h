// Loading the generated data the way the game does, for the data tests.
#ifndef TAVUNA_DATA_SUPPORT_H
#define TAVUNA_DATA_SUPPORT_H

#include <allegro.h>
#include <string>
#include <vector>

std::string data_path(const char *name);        // a file in the build's data folder
BITMAP *load_data_bitmap(const char *name);     // at 32 bits, so codes stay exact
std::vector<unsigned char> read_file(const std::string &path);
int red_at(BITMAP *bmp, int x, int y);          // red of a pixel, 255 outside
bool is_magenta(BITMAP *bmp, int x, int y);
double luminance(BITMAP *bmp, int x, int y);

#endif

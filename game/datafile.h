// Checked loading of the game's data files.  Every call names the file and
// the cause on stderr and returns false when it fails; the game then ends
// with status 1.
#ifndef TAVUNA_DATAFILE_H
#define TAVUNA_DATAFILE_H

#include <allegro.h>
#include "alfont.h"

// One line on stderr naming what failed and why, after leaving graphics
// mode; returns false.
bool fail_start(const char *what, const char *why);

bool load_picture(BITMAP **bmp, const char *name, int w, int h);   // w, h 0: any size
bool load_sound(SAMPLE **s, const char *name);
bool load_font(ALFONT_FONT **f, const char *name);

#endif

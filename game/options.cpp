#include <allegro.h>
#include "game.h"
#include "options.h"

// A tick box: its frame's top-left corner and what a click on it stores.
// Its text stands 30 pixels right of the corner, on the same line.
struct choice {
    int left, top;
    const char *text;
    int value;
};

// A setting with its label, centred on x 700, and its three boxes.
struct group {
    const char *label;
    int label_y;
    int *setting;
    bool centred;   // the laps choices are centred on their x
    choice box[3];
};

static const group groups[] = {
    {"Number of laps", 60, &nlaps, true, {{800, 60, "3", 3}, {840, 60, "5", 5}, {880, 60, "7", 7}}},
    {"Color of Player's boat", 90, &colb, false, {{800, 90, "Red", 0}, {800, 120, "Green", 1}, {800, 150, "Blue", 2}}},
    {"Color of CPU's boat", 190, &cols, false, {{800, 190, "Red", 0}, {800, 220, "Green", 1}, {800, 250, "Blue", 2}}},
    {"Resolution", 330, &res, false, {{800, 330, "800x600", 0}, {800, 360, "1024x768", 1}, {800, 390, "1280x1024", 2}}},
    {"Color Depth", 420, &depth, false, {{800, 420, "16", 0}, {800, 450, "24", 1}, {800, 480, "32", 2}}},
    {"Volume", 510, &vol, false, {{800, 510, "Mute", 0}, {800, 540, "Normal", 180}, {800, 570, "Loud", 255}}},
};
enum { laps, player_colour, cpu_colour, resolution, colour_depth, volume };

static void draw_label(const group &g) { alfont_textout_centre_aa(mb, pump, g.label, 700, g.label_y, black); }

// The frame is 21 x 21 pixels, lines included.
static void draw_frame(const choice &c) { rect(mb, c.left, c.top, c.left + 20, c.top + 20, black); }

static void draw_frames(const group &g)
{
    for (const choice &c : g.box)
        draw_frame(c);
}

static void draw_choices(const group &g)
{
    for (const choice &c : g.box) {
        if (g.centred)
            alfont_textout_centre_aa(mb, pump, c.text, c.left + 30, c.top, black);
        else
            alfont_textout_aa(mb, pump, c.text, c.left + 30, c.top, black);
    }
}

// Only the 19 x 19 inside of a frame takes clicks, not its lines.
static bool clicked(const choice &c)
{
    return mouse_x >= c.left + 1 && mouse_x <= c.left + 19 && mouse_y >= c.top + 1 && mouse_y <= c.top + 19 &&
           (mouse_b & 1);
}

static void test_clicks(const group &g)
{
    for (const choice &c : g.box)
        if (clicked(c))
            *g.setting = c.value;
}

// Any value that is neither the first nor the second box's is shown on the
// third: depth starts at 16 and so shows "32".
static void draw_mark(const group &g)
{
    const choice *c = &g.box[2];
    if (*g.setting == g.box[0].value)
        c = &g.box[0];
    else if (*g.setting == g.box[1].value)
        c = &g.box[1];
    alfont_textout_aa(mb, pump, "X", c->left, c->top, black);
}

void draw_options()
{
    alfont_set_font_size(pump, 32);
    alfont_textout_centre_aa(mb, pump, "IN GAME OPTIONS", 764, 20, white);
    alfont_textout_centre_aa(mb, pump, "SETTINGS", 764, 290, white);

    alfont_set_font_size(pump, 30);
    draw_label(groups[laps]);
    draw_frames(groups[laps]);
    draw_choices(groups[laps]);

    // The two colour groups are drawn side by side, box row by box row.
    const group &pc = groups[player_colour], &cc = groups[cpu_colour];
    draw_label(pc);
    draw_label(cc);
    for (int i = 0; i < 3; i++) {
        draw_frame(pc.box[i]);
        draw_frame(cc.box[i]);
    }
    draw_choices(pc);
    draw_choices(cc);

    for (int g = resolution; g <= volume; g++)
        draw_label(groups[g]);
    for (int g = resolution; g <= volume; g++) {
        draw_frames(groups[g]);
        draw_choices(groups[g]);
    }

    for (const group &g : groups)
        test_clicks(g);
    for (const group &g : groups)
        draw_mark(g);
}

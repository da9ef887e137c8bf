#include <allegro.h>
#include <cmath>
#include "cpu.h"
#include "game.h"
#include "handling.h"
#include "view.h"

const int pots[26][8] = {
    {966, 1086, 997, 1011, 1026, 966, 1061, 928},
    {1061, 928, 1108, 873, 1111, 832, 1100, 773},
    {1100, 773, 1089, 707, 1072, 661, 1048, 617},
    {1048, 617, 1028, 553, 1016, 522, 991, 473},
    {991, 473, 967, 428, 942, 393, 898, 359},
    {898, 359, 866, 324, 819, 295, 769, 287},
    {769, 287, 709, 270, 643, 269, 582, 278},
    {582, 278, 522, 282, 457, 297, 406, 321},
    {406, 321, 340, 340, 280, 366, 246, 410},
    {246, 410, 185, 468, 166, 527, 175, 596},
    {175, 596, 162, 683, 145, 759, 158, 842},
    {158, 842, 162, 936, 167, 1016, 194, 1115},
    {194, 1115, 244, 1215, 304, 1265, 417, 1298},
    {417, 1298, 538, 1321, 611, 1327, 726, 1304},
    {726, 1304, 833, 1287, 905, 1265, 1013, 1217},
    {1013, 1217, 1083, 1163, 1160, 1128, 1258, 1100},
    {1258, 1100, 1342, 1059, 1411, 1053, 1520, 1079},
    {1520, 1079, 1586, 1097, 1624, 1107, 1678, 1142},
    {1678, 1142, 1736, 1183, 1750, 1208, 1755, 1269},
    {1755, 1269, 1798, 1331, 1800, 1382, 1791, 1440},
    {1791, 1440, 1785, 1551, 1760, 1550, 1712, 1578},
    {1712, 1578, 1657, 1623, 1620, 1646, 1552, 1670},
    {1552, 1670, 1479, 1708, 1414, 1707, 1334, 1698},
    {1334, 1698, 1199, 1689, 1130, 1647, 1093, 1594},
    {1093, 1594, 1018, 1518, 987, 1446, 977, 1350},
    {977, 1350, 952, 1236, 936, 1175, 966, 1086},
};

int npts = 50;
int xs[101], ys[101];
int xpos[2600], ypos[2600];
int curspl, curpt;
int AI_pos;
float beta;
float xres, yres;

// Only the first nine segments are sampled into the CPU's path.
static const int cpu_segments = 9;

static int path_length() { return cpu_segments * npts; }

void calc_AI()
{
    for (int s = 0; s <= cpu_segments - 1; s++) {
        calc_spline(pots[s], npts + 1, xs, ys);
        for (int k = 0; k < npts; k++) {
            xpos[s * npts + k] = xs[k];
            ypos[s * npts + k] = ys[k];
        }
    }
    curspl = 0;
    curpt = 0;
}

int getAI_x(int pos) { return xpos[pos]; }
int getAI_y(int pos) { return ypos[pos]; }

// The path is open: the point before the first is the last one.
static int previous(int pos) { return pos == 0 ? path_length() - 1 : pos - 1; }

float getAI_rot(int pos)
{
    int prev = previous(pos);
    xres = xpos[pos] - xpos[prev];
    yres = ypos[pos] - ypos[prev];
    if (xres != 0) {
        // The one-argument arc tangent: a step towards -x gets the same
        // heading as the opposite step.
        beta = atan(yres / xres);
        beta = beta / 6.283185307 * 360;
    }
    return beta;
}

float getAI_xres(int pos)
{
    xres = xpos[pos] - xpos[previous(pos)];
    return xres;
}

float getAI_yres(int pos)
{
    yres = ypos[pos] - ypos[previous(pos)];
    return yres;
}

void place_cpu()
{
    super.x = getAI_x(AI_pos);
    super.y = getAI_y(AI_pos);
    super.rot = getAI_rot(AI_pos);
    // A contact's knock-back drifts the boat off its path until the drag
    // has used it up.  Each component is compared as a signed value.
    if (super.xv > 0.2 || super.yv > 0.2) {
        super.x += super.xv;
        super.y += super.yv;
        drag(&super);
    }
    // The CPU boat is turned by its heading alone, not heading + 90.
    draw_boat(&super, mb, (int)(super.x - camleft1), (int)(super.y - camup1), super.rot);
}

void advance_cpu()
{
    AI_pos += 3;
    // A wrap back to the start of the path is the CPU's lap.
    if (AI_pos > path_length() - 1) {
        AI_pos = 0;
        curspl++;
        super.round++;
    }
}

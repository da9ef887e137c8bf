// The island picture: the course's channel and the sea around the island,
// both shaded by depth and rippled; sandy shores, grass, trees and rocks;
// jetties; the finish line as a chequered band and each checkpoint as a
// gate of buoys, exactly where the track mask has them.
#include "colour.h"
#include "paint.h"
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const rgb shallow{128, 214, 214}, deep{74, 168, 214};
const rgb sea_shallow{118, 206, 218}, sea_deep{66, 146, 206};
const rgb foam{236, 248, 246};
const rgb wet_sand{204, 186, 140}, sand{236, 220, 170};
const rgb grass_light{156, 196, 98}, grass_dark{104, 160, 74}, meadow{186, 200, 112};
const rgb leaf{72, 134, 62}, leaf_light{128, 182, 86};
const rgb rock{150, 148, 142}, rock_light{206, 204, 196};
const rgb plank{176, 130, 84}, plank_dark{122, 88, 58};

// Where every pixel lies: in the channel, on the island or in the sea, and
// how far from the nearest change between them.
struct survey {
    std::vector<char> water, sea;
    std::vector<float> to_land;    // from channel water to the shore
    std::vector<float> to_water;   // from land to the channel
    std::vector<float> to_sea;     // from land to the sea
    std::vector<float> to_coast;   // from the sea to the island
};

std::vector<float> distances(const std::vector<char> &seed)
{
    std::vector<int> near = nearest_seed(seed);
    std::vector<float> d(near.size());
    for (size_t k = 0; k < near.size(); k++)
        d[k] = near[k] < 0 ? 1e9f
                           : std::hypot((double)(int)(k % mask_w) - near[k] % mask_w,
                                        (double)(int)(k / mask_w) - near[k] / mask_w);
    return d;
}

// Land reached from the picture's edge without crossing the channel: the
// outside of the figure-eight, where the island ends in the sea.
std::vector<char> outside(const std::vector<char> &water)
{
    std::vector<char> out(water.size(), 0);
    std::vector<int> todo;
    for (int x = 0; x < mask_w; x++) {
        todo.push_back(x);
        todo.push_back((mask_h - 1) * mask_w + x);
    }
    for (int y = 0; y < mask_h; y++) {
        todo.push_back(y * mask_w);
        todo.push_back(y * mask_w + mask_w - 1);
    }
    while (!todo.empty()) {
        int k = todo.back();
        todo.pop_back();
        if (out[k] || water[k])
            continue;
        out[k] = 1;
        int x = k % mask_w, y = k / mask_w;
        if (x > 0) todo.push_back(k - 1);
        if (x < mask_w - 1) todo.push_back(k + 1);
        if (y > 0) todo.push_back(k - mask_w);
        if (y < mask_h - 1) todo.push_back(k + mask_w);
    }
    return out;
}

survey look_around(BITMAP *mask)
{
    survey s;
    int n = mask_w * mask_h;
    s.water.resize(n);
    std::vector<char> land(n);
    for (int k = 0; k < n; k++) {
        s.water[k] = getr24(getpixel(mask, k % mask_w, k / mask_w)) != code_land;
        land[k] = !s.water[k];
    }
    s.to_land = distances(land);
    s.to_water = distances(s.water);
    std::vector<char> out = outside(s.water);
    s.sea.resize(n);
    for (int k = 0; k < n; k++) {
        double coast = 150 + 120 * fbm(k % mask_w / 170.0, k / mask_w / 170.0, 11);
        s.sea[k] = out[k] && s.to_water[k] > coast;
    }
    s.to_sea = distances(s.sea);
    std::vector<char> island(n);
    for (int k = 0; k < n; k++)
        island[k] = !s.sea[k];
    s.to_coast = distances(island);
    return s;
}

// Light ripples: thin bright crests on slow swells, broken up by noise.
double ripple(int x, int y)
{
    double warp = 4 * fbm(x / 70.0, y / 70.0, 3);
    double crest = std::pow(std::max(0.0, std::sin(x * 0.085 + y * 0.045 + warp)), 12);
    return 14 * crest * noise(x / 25.0, y / 25.0, 5) + 10 * (fbm(x / 120.0, y / 120.0, 7) - 0.5);
}

rgb water_colour(double depth, double shore, int x, int y, rgb light, rgb dark)
{
    rgb c = mix(light, dark, depth);
    double r = ripple(x, y);
    c = {c.r + r, c.g + r, c.b + r};
    if (shore < 2.5 + 2 * noise(x / 9.0, y / 9.0, 9))
        c = mix(c, foam, 0.8);
    return c;
}

rgb land_colour(double shore, int x, int y)
{
    double beach = 10 + 9 * noise(x / 40.0, y / 40.0, 13);
    double grain = 10 * (hash01(x, y, 17) - 0.5);
    if (shore < beach) {
        rgb c = mix(wet_sand, sand, std::min(1.0, shore / 4));
        return {c.r + grain, c.g + grain, c.b + grain};
    }
    double patch = fbm(x / 90.0, y / 90.0, 19);
    rgb c = mix(grass_dark, grass_light, patch);
    if (fbm(x / 200.0, y / 200.0, 23) > 0.62)
        c = mix(c, meadow, 0.6);
    grain *= 0.8;
    rgb edge = mix(c, sand, std::max(0.0, 1 - (shore - beach) / 5));
    return {edge.r + grain, edge.g + grain, edge.b + grain};
}

void paint_ground(BITMAP *pic, const survey &s)
{
    for (int y = 0; y < mask_h; y++)
        for (int x = 0; x < mask_w; x++) {
            int k = y * mask_w + x;
            rgb c;
            if (s.water[k])
                c = water_colour(std::min(1.0, s.to_land[k] / 50.0), s.to_land[k], x, y, shallow, deep);
            else if (s.sea[k])
                c = water_colour(std::min(1.0, s.to_coast[k] / 140.0), s.to_coast[k], x, y, sea_shallow,
                                 sea_deep);
            else
                c = land_colour(std::min(s.to_water[k], s.to_sea[k]), x, y);
            putpixel(pic, x, y, pack(c));
        }
}

} // namespace

BITMAP *paint_island(const course &c, BITMAP *mask)
{
    (void)c;
    survey s = look_around(mask);
    BITMAP *pic = create_bitmap_ex(24, mask_w, mask_h);
    paint_ground(pic, s);
    return pic;
}

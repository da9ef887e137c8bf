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

double smoothstep(double a, double b, double v)
{
    double t = std::clamp((v - a) / (b - a), 0.0, 1.0);
    return t * t * (3 - 2 * t);
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
    c = mix(c, meadow, 0.6 * smoothstep(0.55, 0.7, fbm(x / 200.0, y / 200.0, 23)));
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

bool on_island(const survey &s, int x, int y)
{
    if (x < 0 || y < 0 || x >= mask_w || y >= mask_h)
        return false;
    int k = y * mask_w + x;
    return !s.water[k] && !s.sea[k];
}

double to_shore(const survey &s, int x, int y)
{
    int k = y * mask_w + x;
    return std::min(s.to_water[k], s.to_sea[k]);
}

// A round crown lit from the upper left, over its own shadow.
void paint_tree(BITMAP *pic, int cx, int cy, double r, int seed)
{
    for (int y = -r; y <= r; y++)
        for (int x = -r; x <= r; x++)
            if (x * x + y * y <= r * r)
                blend_pixel(pic, cx + x + 4, cy + y + 5, {40, 80, 40}, 0.3);
    for (int y = -r; y <= r; y++)
        for (int x = -r; x <= r; x++) {
            double d2 = (x * x + y * y) / (r * r);
            if (d2 > 1)
                continue;
            double z = std::sqrt(1 - d2);
            double light = std::max(0.0, (-0.5 * x / r - 0.6 * y / r + 0.62 * z) / 0.95);
            double lump = 0.25 * (noise((cx + x) / 3.0, (cy + y) / 3.0, seed) - 0.5);
            rgb c = mix(leaf, leaf_light, std::clamp(light + lump, 0.0, 1.0));
            blend_pixel(pic, cx + x, cy + y, c, d2 > 0.85 ? 0.7 : 1.0);
        }
}

// Trees on a jittered grid, dense in the woods and sparse in the meadows,
// kept back from the shores.
void paint_trees(BITMAP *pic, const survey &s)
{
    const int cell = 20;
    for (int gy = 0; gy < mask_h / cell; gy++)
        for (int gx = 0; gx < mask_w / cell; gx++) {
            int x = gx * cell + (int)(cell * hash01(gx, gy, 31)), y = gy * cell + (int)(cell * hash01(gx, gy, 37));
            double r = 7 + 6 * hash01(gx, gy, 41);
            double woods = smoothstep(0.42, 0.62, fbm(x / 260.0, y / 260.0, 29));
            if (!on_island(s, x, y) || to_shore(s, x, y) < 22 + r || hash01(gx, gy, 43) > 0.04 + 0.85 * woods)
                continue;
            paint_tree(pic, x, y, r, gx * 7919 + gy);
        }
}

// A grey boulder with a lit top and an irregular outline.
void paint_rock(BITMAP *pic, int cx, int cy, double r, int seed)
{
    for (int y = -r - 2; y <= r + 2; y++)
        for (int x = -r - 2; x <= r + 2; x++) {
            double a = std::atan2(y, x), edge = r * (0.75 + 0.4 * noise(a * 2 + 10, seed, 47));
            double d = std::hypot(x, y * 1.2);
            if (d > edge)
                continue;
            double light = std::clamp(0.5 - 0.5 * (x + y) / edge, 0.0, 1.0);
            blend_pixel(pic, cx + x, cy + y, mix(rock, rock_light, light), 1.0);
        }
}

void paint_rocks(BITMAP *pic, const survey &s)
{
    const int cell = 45;
    for (int gy = 0; gy < mask_h / cell; gy++)
        for (int gx = 0; gx < mask_w / cell; gx++) {
            int x = gx * cell + (int)(cell * hash01(gx, gy, 53)), y = gy * cell + (int)(cell * hash01(gx, gy, 59));
            if (!on_island(s, x, y) || to_shore(s, x, y) < 4 || hash01(gx, gy, 61) > 0.16)
                continue;
            for (int i = 0; i < 1 + (int)(3 * hash01(gx, gy, 67)); i++)
                paint_rock(pic, x + 9 * i, y + 4 * i * (i % 2 ? -1 : 1), 3 + 5 * hash01(gx + i, gy, 71), gx * 31 + gy + i);
        }
}

// A wooden jetty from the island's coast out into the sea, found by walking
// outwards from the channel.
void paint_jetty(BITMAP *pic, const survey &s, pt from, pt dir)
{
    pt p = from;
    for (int step = 0;; step++, p = {p.x + dir.x, p.y + dir.y}) {
        int x = (int)p.x, y = (int)p.y;
        if (step > 700 || x < 0 || y < 0 || x >= mask_w || y >= mask_h)
            return;
        if (s.sea[y * mask_w + x])
            break;
    }
    pt n{-dir.y, dir.x};
    for (double t = -14; t <= 90; t += 0.5)
        for (double u = -7; u <= 7; u += 0.5) {
            bool seam = std::fmod(t + 14, 6) < 1, post = std::fmod(t + 14, 26) < 3 && std::abs(u) > 5;
            rgb c = post ? plank_dark : seam ? mix(plank, plank_dark, 0.6) : plank;
            blend_pixel(pic, p.x + dir.x * t + n.x * u, p.y + dir.y * t + n.y * u, c, 1.0);
        }
}

void paint_jetties(BITMAP *pic, const survey &s, const course &c)
{
    // Samples in the outer bends of the two lobes, and which side is outwards.
    const struct {
        double share;
        int side;
    } spots[] = {{0.10, 1}, {0.27, 1}, {0.50, 1}, {0.62, -1}};
    for (const auto &spot : spots) {
        int i = (int)(spot.share * c.line.size());
        pt t = tangent(c, i);
        paint_jetty(pic, s, c.line[i], {-t.y * spot.side, t.x * spot.side});
    }
}

// The finish line: a chequered band over exactly the mask's finish pixels.
void paint_finish(BITMAP *pic, BITMAP *mask)
{
    for (int y = 0; y < mask_h; y++)
        for (int x = 0; x < mask_w; x++)
            if (getr24(getpixel(mask, x, y)) == code_finish) {
                bool dark = ((x / 16) + (y / 16)) % 2;
                blend_pixel(pic, x, y, dark ? rgb{40, 40, 48} : rgb{250, 250, 250}, dark ? 0.55 : 0.75);
            }
}

void paint_buoy(BITMAP *pic, pt at, rgb colour)
{
    for (int y = -8; y <= 8; y++)
        for (int x = -8; x <= 8; x++) {
            double d = std::hypot(x, y);
            if (d <= 8)
                blend_pixel(pic, at.x + x + 2, at.y + y + 3, {30, 60, 90}, 0.25);
        }
    for (int y = -7; y <= 7; y++)
        for (int x = -7; x <= 7; x++) {
            double d = std::hypot(x, y);
            if (d > 7)
                continue;
            rgb c = d > 5.8 ? scale(colour, 0.55) : (std::abs(x - y) < 3 ? rgb{250, 250, 250} : colour);
            if (std::hypot(x + 2.5, y + 2.5) < 2)
                c = mix(c, {255, 255, 255}, 0.7);
            blend_pixel(pic, at.x + x, at.y + y, c, 1.0);
        }
}

// A checkpoint gate: the band tinted, a line of floats along both of its
// edges and a big buoy at either end of its middle.
void paint_gate(BITMAP *pic, BITMAP *mask, const course &c, const band &b, rgb colour)
{
    for (int y = 0; y < mask_h; y++)
        for (int x = 0; x < mask_w; x++)
            if (getr24(getpixel(mask, x, y)) == b.code)
                blend_pixel(pic, x, y, colour, 0.16);
    int n = c.line.size();
    for (int edge : {b.first + 1, b.last - 1})
        for (double o = -90; o <= 90; o += 9) {
            int i = (edge + n) % n;
            pt t = tangent(c, i), p{c.line[i].x - t.y * o, c.line[i].y + t.x * o};
            if (getr24(getpixel(mask, (int)p.x, (int)p.y)) != b.code)
                continue;
            for (int y = -2; y <= 2; y++)
                for (int x = -2; x <= 2; x++)
                    if (x * x + y * y <= 5)
                        blend_pixel(pic, p.x + x, p.y + y, x * x + y * y <= 1 ? rgb{255, 255, 255} : colour, 1.0);
        }
    int mid = ((b.first + b.last) / 2 + n) % n;
    pt t = tangent(c, mid), p = c.line[mid];
    paint_buoy(pic, {p.x - t.y * (c.right[mid] - 9), p.y + t.x * (c.right[mid] - 9)}, colour);
    paint_buoy(pic, {p.x + t.y * (c.left[mid] - 9), p.y - t.x * (c.left[mid] - 9)}, colour);
}

} // namespace

BITMAP *paint_island(const course &c, BITMAP *mask)
{
    survey s = look_around(mask);
    BITMAP *pic = create_bitmap_ex(24, mask_w, mask_h);
    paint_ground(pic, s);
    paint_rocks(pic, s);
    paint_trees(pic, s);
    paint_jetties(pic, s, c);
    paint_finish(pic, mask);
    const rgb gate_colours[] = {{232, 52, 40}, {250, 204, 30}, {246, 128, 24}};
    for (int i = 0; i < 3; i++)
        paint_gate(pic, mask, c, c.bands[i], gate_colours[i]);
    return pic;
}

#include "course.h"
#include "cpu.h"
#include "game.h"
#include "track.h"
#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

// A boat's position is the top-left corner of its 100 x 100 sprite, so the
// centre line is the CPU's loop moved by half a sprite.
static const double shift = 50;
static const double width = 70;       // water either side of the centre line
static const double min_width = 60;
static const double wall = 11;        // thinnest land between far-apart parts
static const double wall_margin = 8;  // for the rounding of pixels
static const int far_apart = 500;     // samples along the loop
static const double crossing_zone = 170;
static const int band_half = 24;      // checkpoints are 49 samples thick
static const int smoothing = 40;      // samples either way
static const double tip = 8;          // land narrower than twice this at the crossing goes
static const int refine = 20;         // samples searched around the nearest pixel's
static const double far_from_water = 100;  // no channel reaches this far

static pt bezier(const int *row, double t)
{
    double u = 1 - t;
    double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
    return {a * row[0] + b * row[2] + c * row[4] + d * row[6] + shift,
            a * row[1] + b * row[3] + c * row[5] + d * row[7] + shift};
}

static double dist(pt a, pt b) { return std::hypot(a.x - b.x, a.y - b.y); }

// The loop sampled finely, then again at steps of one pixel of length.
static std::vector<pt> sample_loop()
{
    std::vector<pt> fine;
    for (int s = 0; s < 26; s++)
        for (int k = 0; k < 2000; k++)
            fine.push_back(bezier(pots[s], k / 2000.0));
    std::vector<pt> line{fine[0]};
    double walked = 0;
    for (size_t i = 1; i < fine.size(); i++) {
        walked += dist(fine[i - 1], fine[i]);
        if (walked >= 1) {
            line.push_back(fine[i]);
            walked = 0;
        }
    }
    return line;
}

int along(const course &c, int i, int j)
{
    int n = c.line.size(), d = std::abs(i - j) % n;
    return std::min(d, n - d);
}

pt tangent(const course &c, int i)
{
    int n = c.line.size();
    pt a = c.line[(i + n - 2) % n], b = c.line[(i + 2) % n];
    double l = dist(a, b);
    return {(b.x - a.x) / l, (b.y - a.y) / l};
}

// Which side of sample i a point lies on: negative left, positive right.
static double side(const course &c, int i, pt p)
{
    pt t = tangent(c, i);
    return t.x * (p.y - c.line[i].y) - t.y * (p.x - c.line[i].x);
}

static int nearest_sample(const course &c, pt p)
{
    int best = 0;
    for (size_t i = 1; i < c.line.size(); i++)
        if (dist(c.line[i], p) < dist(c.line[best], p))
            best = i;
    return best;
}

// The figure-eight crosses itself once: the closest pair of samples that
// are far apart along the loop.
static void find_crossing(course &c)
{
    double best = std::numeric_limits<double>::max();
    int n = c.line.size();
    for (int i = 0; i < n; i++)
        for (int j = i + 1; j < n; j++)
            if (along(c, i, j) > far_apart && dist(c.line[i], c.line[j]) < best) {
                best = dist(c.line[i], c.line[j]);
                c.cross_a = i;
                c.cross_b = j;
            }
}

static bool near_crossing(const course &c, pt p) { return dist(p, c.line[c.cross_a]) < crossing_zone; }

// A running minimum, then a running mean: the widths change gently along
// the course and never exceed what they were.
static void smooth(std::vector<double> &h)
{
    int n = h.size();
    std::vector<double> low(n), out(n);
    for (int i = 0; i < n; i++) {
        low[i] = h[i];
        for (int k = -smoothing; k <= smoothing; k++)
            low[i] = std::min(low[i], h[(i + k + n) % n]);
    }
    for (int i = 0; i < n; i++) {
        double sum = 0;
        for (int k = -smoothing; k <= smoothing; k++)
            sum += low[(i + k + n) % n];
        out[i] = sum / (2 * smoothing + 1);
    }
    h = out;
}

// Narrows the channel where another part of the course runs close by, so
// that a land wall stays between them; each side gets half of the gap.
static void fit_widths(course &c)
{
    int n = c.line.size();
    c.left.assign(n, width);
    c.right.assign(n, width);
    for (int i = 0; i < n; i++)
        for (int j = 0; j < n; j++) {
            pt p = c.line[i], q = c.line[j];
            if (along(c, i, j) <= far_apart || (near_crossing(c, p) && near_crossing(c, q)))
                continue;
            double room = (dist(p, q) - wall - wall_margin) / 2;
            double &h = side(c, i, q) < 0 ? c.left[i] : c.right[i];
            h = std::max(min_width, std::min(h, room));
        }
    smooth(c.left);
    smooth(c.right);
}

// Widens the channel around a start so that the boat's whole sprite box is
// water, on the side away from any neighbouring part of the course: a
// smooth raise of the width that reaches the far corner of the box.
static void make_room_at(course &c, const start &s)
{
    int n = c.line.size();
    std::vector<double> left = c.left, right = c.right;
    for (int dx = 0; dx < 100; dx += 99)
        for (int dy = 0; dy < 100; dy += 99) {
            pt corner{s.x + dx, s.y + dy};
            int i = nearest_sample(c, corner);
            bool on_left = side(c, i, corner) < 0;
            std::vector<double> &base = on_left ? left : right, &h = on_left ? c.left : c.right;
            double raise = dist(corner, c.line[i]) + 1.5 - base[i];
            for (int k = -80; raise > 0 && k <= 80; k++) {
                int j = (i + k + n) % n;
                h[j] = std::max(h[j], base[j] + raise * 0.5 * (1 + std::cos(M_PI * k / 80)));
            }
        }
}

// A band across the channel centred on the middle of a row of the table.
static band place_band(const course &c, int code, int row)
{
    pt mid = bezier(pots[row], 0.5);
    int i = nearest_sample(c, mid);
    return {code, i - band_half, i + band_half};
}

course make_course()
{
    course c;
    c.line = sample_loop();
    find_crossing(c);
    fit_widths(c);
    c.starts[0] = {1086, 1186, -50};
    c.starts[1] = {1005, 987, -75};
    for (const start &s : c.starts)
        make_room_at(c, s);
    c.bands[0] = place_band(c, code_one, 6);
    c.bands[1] = place_band(c, code_two, 10);
    c.bands[2] = place_band(c, code_three, 22);
    return c;
}

// The game's own bow probe on its own bow-marker template.
pt bow_point(const start &s)
{
    if (!wp) {
        wp = create_bitmap_ex(32, 100, 100);
        bc = create_bitmap_ex(32, 100, 100);
        clear_to_color(wp, 0);
        putpixel(wp, 96, 50, makecol32(254, 255, 255));
        putpixel(wp, 97, 50, makecol32(254, 255, 255));
    }
    bow_offset(s.heading);
    return {(double)(int)(gx + s.x), (double)(int)(gy + s.y)};
}

// Exact Euclidean nearest seed: for each column the nearest seed above or
// below, then along each row the lower envelope of the columns' parabolas.
std::vector<int> nearest_seed(const std::vector<char> &seed)
{
    const int w = mask_w, h = mask_h;
    std::vector<int> col(w * h, -1);
    for (int x = 0; x < w; x++) {
        int last = -1;
        for (int y = 0; y < h; y++) {
            if (seed[y * w + x])
                last = y;
            col[y * w + x] = last;
        }
        last = -1;
        for (int y = h - 1; y >= 0; y--) {
            if (seed[y * w + x])
                last = y;
            int &c = col[y * w + x];
            if (last >= 0 && (c < 0 || last - y < y - c))
                c = last;
        }
    }
    std::vector<int> out(w * h, -1), v(w);
    std::vector<double> z(w + 1), f(w);
    for (int y = 0; y < h; y++) {
        int k = -1;
        for (int x = 0; x < w; x++) {
            int c = col[y * w + x];
            if (c < 0)
                continue;
            f[x] = (double)(c - y) * (c - y);
            double s = -std::numeric_limits<double>::infinity();
            while (k >= 0) {
                int q = v[k];
                s = ((f[x] + (double)x * x) - (f[q] + (double)q * q)) / (2.0 * (x - q));
                if (s > z[k])
                    break;
                k--;
            }
            k++;
            v[k] = x;
            z[k] = k == 0 ? -std::numeric_limits<double>::infinity() : s;
            z[k + 1] = std::numeric_limits<double>::infinity();
        }
        if (k < 0)
            continue;
        for (int x = 0, j = 0; x < w; x++) {
            while (z[j + 1] < x)
                j++;
            out[y * w + x] = col[y * w + v[j]] * w + v[j];
        }
    }
    return out;
}

static double seed_dist(int k, int seed)
{
    if (seed < 0)
        return std::numeric_limits<double>::infinity();
    return std::hypot(k % mask_w - seed % mask_w, k / mask_w - seed / mask_w);
}

// For every pixel, the nearest of the centre-line samples that pass keep().
static std::vector<int> nearest_samples(const course &c, const std::function<bool(int)> &keep)
{
    std::vector<char> seed(mask_w * mask_h, 0);
    std::vector<int> label(mask_w * mask_h, -1);
    for (size_t i = 0; i < c.line.size(); i++) {
        int x = std::lround(c.line[i].x), y = std::lround(c.line[i].y);
        if (keep(i) && x >= 0 && y >= 0 && x < mask_w && y < mask_h) {
            seed[y * mask_w + x] = 1;
            label[y * mask_w + x] = i;
        }
    }
    // Samples round to pixels; the exact nearest one is close by along the line.
    std::vector<int> near = nearest_seed(seed);
    int n = c.line.size();
    for (int k = 0; k < mask_w * mask_h; k++) {
        if (near[k] < 0)
            continue;
        pt p{(double)(k % mask_w), (double)(k / mask_w)};
        int i = label[near[k]], best = i;
        if (seed_dist(k, near[k]) > far_from_water) {
            near[k] = i;
            continue;
        }
        for (int d = -refine; d <= refine; d++) {
            int j = (i + d + n) % n;
            if (keep(j) && dist(c.line[j], p) < dist(c.line[best], p))
                best = j;
        }
        near[k] = best;
    }
    return near;
}

static bool in_channel(const course &c, int i, pt p)
{
    if (i < 0)
        return false;
    return dist(p, c.line[i]) <= (side(c, i, p) < 0 ? c.left[i] : c.right[i]);
}

static bool in_band(const course &c, const band &b, int i)
{
    int n = c.line.size();
    return (i - b.first + n) % n <= b.last - b.first;
}

static void paint_code(BITMAP *mask, int x, int y, int code) { putpixel(mask, x, y, makecol24(code, code, code)); }

// Where the branches part at the crossing they leave a sharp tip of land
// between them; an opening (erode, then dilate) rounds it off.
static void round_tips(const course &c, std::vector<char> &water)
{
    std::vector<char> land(water.size());
    for (size_t k = 0; k < water.size(); k++)
        land[k] = !water[k];
    std::vector<int> to_water = nearest_seed(water);
    std::vector<char> core(water.size());
    for (size_t k = 0; k < water.size(); k++)
        core[k] = land[k] && seed_dist(k, to_water[k]) > tip;
    std::vector<int> to_core = nearest_seed(core);
    for (size_t k = 0; k < water.size(); k++) {
        pt p{(double)(k % mask_w), (double)(k / mask_w)};
        if (land[k] && near_crossing(c, p) && seed_dist(k, to_core[k]) > tip)
            water[k] = 1;
    }
}

BITMAP *make_mask(const course &c)
{
    std::vector<int> near = nearest_samples(c, [](int) { return true; });
    std::vector<char> water(mask_w * mask_h);
    for (int k = 0; k < mask_w * mask_h; k++)
        water[k] = in_channel(c, near[k], {(double)(k % mask_w), (double)(k / mask_w)});
    round_tips(c, water);

    std::vector<int> near_a = nearest_samples(c, [&](int i) { return along(c, i, c.cross_a) < 400; });
    std::vector<int> near_b = nearest_samples(c, [&](int i) { return along(c, i, c.cross_b) < 400; });
    BITMAP *mask = create_bitmap_ex(24, mask_w, mask_h);
    for (int y = 0; y < mask_h; y++)
        for (int x = 0; x < mask_w; x++) {
            pt p{(double)x, (double)y};
            int k = y * mask_w + x, code = water[k] ? code_water : code_land;
            for (const band &b : c.bands)
                if (water[k] && in_band(c, b, near[k]))
                    code = b.code;
            if (in_channel(c, near_a[k], p) && in_channel(c, near_b[k], p))
                code = code_finish;
            paint_code(mask, x, y, code);
        }
    return mask;
}

// A driver for the tests: steers a boat round the course along the middle
// of the channel, as a player holding the arrow keys would.
#ifndef TAVUNA_AUTOPILOT_H
#define TAVUNA_AUTOPILOT_H

#include <allegro.h>
#include <cmath>
#include <vector>
#include "cpu.h"
#include "game.h"
#include "handling.h"

struct point {
    double x, y;
};

// The middle of the channel: the CPU table's closed loop moved by half a
// sprite, since a boat's position is its sprite's top-left corner.  One
// sample per pixel of length.
inline std::vector<point> centre_line()
{
    std::vector<point> fine, line;
    for (int s = 0; s < 26; s++)
        for (int k = 0; k < 1000; k++) {
            double t = k / 1000.0, u = 1 - t;
            double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
            const int *r = pots[s];
            fine.push_back({a * r[0] + b * r[2] + c * r[4] + d * r[6] + 50, a * r[1] + b * r[3] + c * r[5] + d * r[7] + 50});
        }
    line.push_back(fine[0]);
    for (const point &p : fine)
        if (std::hypot(p.x - line.back().x, p.y - line.back().y) >= 1)
            line.push_back(p);
    return line;
}

inline double angle_between(double a, double b)
{
    double d = std::fmod(a - b, 360);
    if (d > 180)
        d -= 360;
    if (d < -180)
        d += 360;
    return d;
}

// Steers a boat along the centre line: it keeps its place on the loop,
// searching only a little ahead so the crossing of the figure-eight does
// not make it jump branches, and aims at a point further on.  Speed is
// held lower where the line bends ahead.
struct controls {
    bool thrust, brake, left, right;
};

struct autopilot {
    const std::vector<point> &line;
    BOAT *b;
    keymap keys;
    int at = -1;       // nearest sample
    long walked = 0;   // samples passed in all

    point centre() const { return {b->x + 50.0, b->y + 50.0}; }
    point ahead(int n) const { return line[(at + n) % line.size()]; }

    // At the start: the nearest sample where the line runs the boat's way.
    void start_place()
    {
        point c = centre();
        double best_d = 1e18;
        for (int i = 0; i < (int)line.size(); i++) {
            point p = line[i], q = line[(i + 5) % line.size()];
            double dir = std::atan2(q.y - p.y, q.x - p.x) * 180 / M_PI;
            double d = std::hypot(p.x - c.x, p.y - c.y);
            if (std::fabs(angle_between(dir, b->rot)) < 90 && d < best_d) {
                best_d = d;
                at = i;
            }
        }
    }

    void find_place()
    {
        if (at < 0)
            start_place();
        point c = centre();
        int n = line.size(), best = at;
        double best_d = 1e18;
        for (int k = -20; k < 150; k++) {
            int i = ((at + k) % n + n) % n;
            double d = std::hypot(line[i].x - c.x, line[i].y - c.y);
            if (d < best_d) {
                best_d = d;
                best = i;
            }
        }
        walked += ((best - at) % n + n + n / 2) % n - n / 2;
        at = best;
    }

    double heading_to(point p) const
    {
        point c = centre();
        return std::atan2(p.y - c.y, p.x - c.x) * 180 / M_PI;
    }

    // How far the line turns over the next stretch, in degrees.
    double bend() const
    {
        double most = 0;
        for (int k = 40; k <= 280; k += 40) {
            point a = ahead(k - 40), p = ahead(k);
            point q = ahead(k + 40);
            double h1 = std::atan2(p.y - a.y, p.x - a.x) * 180 / M_PI;
            double h2 = std::atan2(q.y - p.y, q.x - p.x) * 180 / M_PI;
            most = std::max(most, std::fabs(angle_between(h2, h1)));
        }
        return most;
    }

    // The keys that turn the boat towards a heading and hold its speed.
    controls steer(double want, double top_speed) const
    {
        double off = angle_between(want, b->rot);
        double speed = b->xv;
        bool straight = std::fabs(off) < 20;
        return {straight && speed < top_speed, speed > top_speed + 0.5 || std::fabs(off) > 45, off < -1, off > 1};
    }

    // The keys for this moment of the lap: aim ahead along the line.
    controls plan()
    {
        find_place();
        double bend_ahead = bend();
        double top = bend_ahead > 14 ? 5 : bend_ahead > 9 ? 7 : 10.5;
        return steer(heading_to(ahead(90)), top);
    }

    // Headless, the keys are pressed by writing Allegro's key state.
    void press(const controls &c) const
    {
        key[keys.thrust] = c.thrust;
        key[keys.brake] = c.brake;
        key[keys.left] = c.left;
        key[keys.right] = c.right;
    }
    void steer_at(double want, double top_speed) { press(steer(want, top_speed)); }
    void drive() { press(plan()); }
};

#endif

// A player at the keyboard for the end-to-end tests: the real game, with
// its real timer, screen and keyboard under X, races "Practice", while a
// second thread watches player 1's boat and presses the arrow keys through
// the X server (XTest), the way a person holding them would.  The race must
// end after three laps with the total-time screen.
//
// Usage: practice_driver <data folder> <screenshot folder>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <unistd.h>
#include "autopilot.h"
#include "game.h"
#include "race.h"

namespace {

std::atomic<bool> race_over{false};
std::string shots;

void screenshot(const char *name)
{
    std::string cmd = "import -window root " + shots + "/" + name + ".png &";
    if (system(cmd.c_str()) != 0)
        fprintf(stderr, "screenshot %s failed\n", name);
}

struct x_keys {
    Display *dpy;
    KeyCode thrust, brake, left, right;
    controls down{};

    void set(KeyCode code, bool now, bool before)
    {
        if (now != before)
            XTestFakeKeyEvent(dpy, code, now, CurrentTime);
    }
    void press(const controls &c)
    {
        set(thrust, c.thrust, down.thrust);
        set(brake, c.brake, down.brake);
        set(left, c.left, down.left);
        set(right, c.right, down.right);
        down = c;
        XFlush(dpy);
    }
};

// The driver's eyes are the boat's record itself, read while the race
// runs on the main thread; its hands are key events through the X server.
void drive()
{
    Display *dpy = XOpenDisplay(NULL);
    if (!dpy) {
        fprintf(stderr, "no X display for the driver\n");
        exit(1);
    }
    x_keys hands{dpy, XKeysymToKeycode(dpy, XK_Up), XKeysymToKeycode(dpy, XK_Down), XKeysymToKeycode(dpy, XK_Left),
                 XKeysymToKeycode(dpy, XK_Right)};
    std::vector<point> line = centre_line();
    autopilot eyes{line, &boat, player1_keys};
    auto start = std::chrono::steady_clock::now();
    int laps = 0;
    while (!race_over) {
        hands.press(eyes.plan());
        if (boat.round != laps) {
            laps = boat.round;
            printf("lap %d: %d:%d\n", laps, boat.last_lap_min, boat.last_lap_sec);
            fflush(stdout);
            if (laps == 3) {
                hands.press(controls{});
                std::this_thread::sleep_for(std::chrono::milliseconds(700));
                screenshot("practice_total_time");
                break;
            }
            screenshot(laps == 1 ? "practice_lap1" : "practice_lap2");
        }
        // Five minutes is many times three laps: give up through Escape.
        if (std::chrono::steady_clock::now() - start > std::chrono::minutes(5)) {
            fprintf(stderr, "no end after five minutes, at %g, %g\n", boat.x, boat.y);
            XTestFakeKeyEvent(dpy, XKeysymToKeycode(dpy, XK_Escape), True, CurrentTime);
            XFlush(dpy);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(4));
    }
    hands.press(controls{});
    XCloseDisplay(dpy);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3 || chdir(argv[1]) != 0) {
        fprintf(stderr, "usage: practice_driver <data folder> <screenshot folder>\n");
        return 2;
    }
    shots = argv[2];
    if (!startup())
        return 1;
    std::thread driver(drive);
    race_exit e = start_race(mode_practice);
    race_over = true;
    driver.join();
    printf("race ended %s with %d laps\n", e == race_to_menus ? "for the menus" : "for the exit", boat.round);
    return e == race_to_menus && boat.round == 3 ? 0 : 1;
}

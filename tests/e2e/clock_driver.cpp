// The race clock on Allegro's real timer: a mode chosen a second time
// installs the clock's tick again, and the clock must still count one
// second a second, from one tick source.
//
// Usage: clock_driver <data folder>
#include <chrono>
#include <cstdio>
#include <thread>
#include <unistd.h>
#include "game.h"
#include "timer.h"

static int seconds_on_clock()
{
    clock_time t = read_clock();
    return t.min * 60 + t.sec;
}

int main(int argc, char **argv)
{
    if (argc != 2 || chdir(argv[1]) != 0) {
        fprintf(stderr, "usage: clock_driver <data folder>\n");
        return 2;
    }
    if (!startup())
        return 1;
    // The first mode choice, and a second one 2.3 seconds on; 6.4 seconds
    // later the clock reads 6, whether the tick kept its phase or began
    // anew (two tick sources would read about 12).
    reset_clock();
    install_clock();
    std::this_thread::sleep_for(std::chrono::milliseconds(2300));
    reset_clock();
    install_clock();
    std::this_thread::sleep_for(std::chrono::milliseconds(6400));
    int s = seconds_on_clock();
    printf("clock after 6.4 s: %d s\n", s);
    return s == 6 ? 0 : 1;
}

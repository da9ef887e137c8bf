// Soak: many frames of every race mode, and many menu passes, under random
// keys and mouse (fixed seeds), with the heap the same size at the end as
// after the first frames.  TAVUNA_SOAK_FRAMES sets the frames per run: the
// default keeps `make test` to about a minute; the full soak is 100000.
#include <allegro.h>
#include <cstdlib>
#include <gtest/gtest.h>
#include <malloc.h>
#include <random>
#include "game.h"
#include "headless.h"
#include "menu.h"
#include "race.h"
#ifdef __SANITIZE_ADDRESS__
// AddressSanitizer's own heap, which malloc's statistics do not see.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

int soak_frames()
{
    const char *n = getenv("TAVUNA_SOAK_FRAMES");
    return n && atoi(n) > 0 ? atoi(n) : 10000;
}

// Bytes the program holds on the heap now.
size_t live_heap()
{
#ifdef __SANITIZE_ADDRESS__
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

// The frame's glyph buffers come and go with the text drawn, so a few
// kilobytes either way are no leak; one lost glyph or bitmap a frame is.
const size_t heap_slack = 64 * 1024;

const int warm_up = 500;

// Escape once in so many frames ends the race, and a fresh one starts.
const int race_length = 1500;

// Every key either player uses flips now and then.
void random_keys(std::mt19937 &rng, int frame)
{
    static const int keys[] = {KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_W, KEY_A, KEY_S, KEY_D};
    for (int k : keys)
        if (rng() % 15 == 0)
            key[k] = !key[k];
    key[KEY_ESC] = frame % race_length == race_length - 1;
}

class RaceSoak : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override { load_headless_game(); }
    void TearDown() override { release_input(); }
};

TEST_P(RaceSoak, RandomKeysLeaveTheHeapFlat)
{
    int mode = GetParam(), n = soak_frames(), races = 1;
    std::mt19937 rng(7 + mode);
    fresh_race(mode);
    size_t heap = 0;
    for (int i = 0; i < warm_up + n; i++) {
        if (i == warm_up)
            heap = live_heap();
        random_keys(rng, i);
        if (race_frame() != race_goes_on) {
            fresh_race(mode);
            races++;
        }
    }
    EXPECT_LE(live_heap(), heap + heap_slack) << "after " << n << " frames and " << races << " races";
    EXPECT_GE(races, (warm_up + n) / race_length) << "Escape did not end the races";
}

INSTANTIATE_TEST_SUITE_P(Modes, RaceSoak, ::testing::Values(mode_practice, mode_carrier, mode_multiplayer),
                         [](const ::testing::TestParamInfo<int> &p) {
                             return std::string(p.param == mode_practice  ? "Practice"
                                                : p.param == mode_carrier ? "Carrier"
                                                                          : "Multiplayer");
                         });

// The pointer jumps about and the button goes down and up at random; the
// screens lead where their items say, a chosen race counts and the menus
// start again from the main menu.
TEST(MenuSoak, RandomMouseLeavesTheHeapFlat)
{
    load_headless_game();
    std::mt19937 rng(11);
    int n = soak_frames(), races = 0, screens = 0;
    menu_screen s = main_menu;
    size_t heap = 0;
    for (int i = 0; i < warm_up + n; i++) {
        if (i == warm_up)
            heap = live_heap();
        mouse_x = rng() % 1024;
        mouse_y = rng() % 768;
        mouse_b = rng() % 4 == 0;
        menu_step step = menu_pass(s);
        if (step.what == menu_step::go_to) {
            s = menu_screen(step.value);
            screens++;
        } else if (step.what != menu_step::stay) {
            races += step.what == menu_step::race;
            s = main_menu;
        }
    }
    release_input();
    EXPECT_LE(live_heap(), heap + heap_slack) << "after " << n << " passes";
    EXPECT_GT(screens, 0);
    EXPECT_GT(races, 0);
}

} // namespace

#include <gtest/gtest.h>
#include "fake_timer.h"
#include "game.h"
#include "headless.h"
#include "menu.h"
#include "menu_support.h"
#include "race.h"
#include "track.h"

namespace {

class OptionsTest : public ::testing::Test {
protected:
    int saved[6];
    int *settings[6] = {&nlaps, &colb, &cols, &res, &depth, &vol};

    void SetUp() override
    {
        load_headless_game();
        release_input();
        for (int i = 0; i < 6; i++)
            saved[i] = *settings[i];
    }
    void TearDown() override
    {
        release_input();
        for (int i = 0; i < 6; i++)
            *settings[i] = saved[i];
    }
};

struct box {
    int *setting;
    int left, top, value;
};

// Every box, in the order the click tests run.
const box boxes[] = {
    {&nlaps, 800, 60, 3},  {&nlaps, 840, 60, 5},  {&nlaps, 880, 60, 7},    {&colb, 800, 90, 0},
    {&colb, 800, 120, 1},  {&colb, 800, 150, 2},  {&cols, 800, 190, 0},    {&cols, 800, 220, 1},
    {&cols, 800, 250, 2},  {&res, 800, 330, 0},   {&res, 800, 360, 1},     {&res, 800, 390, 2},
    {&depth, 800, 420, 0}, {&depth, 800, 450, 1}, {&depth, 800, 480, 2},   {&vol, 800, 510, 0},
    {&vol, 800, 540, 180}, {&vol, 800, 570, 255},
};
const int unset = -7;   // no box's value

void options_pass(int x, int y, int buttons)
{
    pointer(x, y, buttons);
    menu_pass(options_screen);
}

bool marked(BITMAP *bmp, const box &b) { return text_colour(bmp, "X", 30, b.left, b.top, false) == black; }

// The group of box i: the three boxes that share its setting.
int group_of(int i) { return i / 3 * 3; }

TEST_F(OptionsTest, OnlyTheInsideOfAFrameTakesAClick)
{
    for (auto &b : boxes) {
        int inside[][2] = {{b.left + 1, b.top + 1}, {b.left + 19, b.top + 19}, {b.left + 1, b.top + 19},
                           {b.left + 19, b.top + 1}};
        for (auto &p : inside) {
            *b.setting = unset;
            options_pass(p[0], p[1], 1);
            EXPECT_EQ(*b.setting, b.value) << p[0] << ", " << p[1];
        }
        int lines[][2] = {{b.left, b.top + 10}, {b.left + 20, b.top + 10}, {b.left + 10, b.top},
                          {b.left + 10, b.top + 20}};
        for (auto &p : lines) {
            *b.setting = unset;
            options_pass(p[0], p[1], 1);
            EXPECT_EQ(*b.setting, unset) << "frame line at " << p[0] << ", " << p[1];
        }
    }
}

TEST_F(OptionsTest, ClicksBesideTheBoxesOrWithOtherButtonsChangeNothing)
{
    struct {
        int x, y, buttons;
    } cases[] = {
        {810, 500, 1},   // just below the "32" frame
        {700, 70, 1},    // the laps label
        {850, 100, 1},   // the "Red" choice text
        {830, 70, 1},    // the "3" between two laps boxes
        {764, 30, 1},    // a heading
        {810, 100, 2},   // right button inside a box
        {810, 100, 4},   // middle button
    };
    for (auto &c : cases) {
        for (int *s : settings)
            *s = unset;
        options_pass(c.x, c.y, c.buttons);
        for (int *s : settings)
            EXPECT_EQ(*s, unset) << c.x << ", " << c.y << " buttons " << c.buttons;
    }
}

TEST_F(OptionsTest, AClickStoresItsValueAndShowsTheMarkInTheSamePass)
{
    struct {
        int x, y;
        int *setting, value;
        int marked_box;
    } cases[] = {
        {810, 495, &depth, 2, 14},
        {850, 70, &nlaps, 5, 1},
        {810, 545, &vol, 180, 16},
    };
    for (auto &c : cases) {
        *c.setting = unset;
        options_pass(c.x, c.y, 1);
        EXPECT_EQ(*c.setting, c.value);
        int g = group_of(c.marked_box);
        for (int i = g; i < g + 3; i++)
            EXPECT_EQ(marked(screen, boxes[i]), i == c.marked_box) << "box " << i << " after a click at " << c.x
                                                                   << ", " << c.y;
    }
}

TEST_F(OptionsTest, DraggingDownThePlayerColumnSetsEachColourInTurn)
{
    colb = unset;
    int last = unset;
    for (int y = 80; y <= 180; y++) {
        options_pass(810, y, 1);
        int want = y >= 151 && y <= 169 ? 2 : y >= 121 && y <= 139 ? 1 : y >= 91 && y <= 109 ? 0 : last;
        EXPECT_EQ(colb, want) << "at y " << y;
        last = colb;
    }
    EXPECT_EQ(last, 2);
}

// The first box's value, else the second's, else the third box whatever
// the value is: depth starts at 16 and so shows "32".
TEST_F(OptionsTest, EachGroupMarksItsChoiceByTheThreeWayRule)
{
    struct {
        int values[6];   // nlaps, colb, cols, res, depth, vol
        int marked[6];   // the box of each group, 0 to 2
    } cases[] = {
        {{3, 0, 1, 0, 16, 255}, {0, 0, 1, 0, 2, 2}},   // at start
        {{5, 1, 0, 1, 1, 180}, {1, 1, 0, 1, 1, 1}},
        {{7, 2, 2, 2, 0, 0}, {2, 2, 2, 2, 0, 0}},
        {{4, -1, 9, 3, 2, 100}, {2, 2, 2, 2, 2, 2}},   // anything else
    };
    for (auto &c : cases) {
        for (int g = 0; g < 6; g++)
            *settings[g] = c.values[g];
        options_pass(0, 0, 0);
        for (int g = 0; g < 6; g++)
            for (int i = 0; i < 3; i++)
                EXPECT_EQ(marked(screen, boxes[g * 3 + i]), i == c.marked[g])
                    << "group " << g << " value " << c.values[g] << " box " << i;
    }
}

TEST_F(OptionsTest, FramesAreBlackOutlinesOf21By21)
{
    options_pass(0, 0, 0);
    for (auto &b : boxes) {
        int l = b.left, t = b.top;
        for (int k = 0; k <= 20; k++) {
            EXPECT_EQ(getpixel(screen, l + k, t), black) << l << ", " << t;
            EXPECT_EQ(getpixel(screen, l + k, t + 20), black) << l << ", " << t;
            EXPECT_EQ(getpixel(screen, l, t + k), black) << l << ", " << t;
            EXPECT_EQ(getpixel(screen, l + 20, t + k), black) << l << ", " << t;
        }
        if (marked(screen, b))
            continue;   // the "X" reaches past its frame
        EXPECT_NE(getpixel(screen, l + 21, t + 10), black) << l << ", " << t;
        EXPECT_NE(getpixel(screen, l + 10, t + 21), black) << l << ", " << t;
    }
}

TEST_F(OptionsTest, TextsStandWhereTheirCallsPutThem)
{
    options_pass(0, 0, 0);
    struct {
        const char *text;
        int size, x, y;
        bool centred;
        int colour;
    } cases[] = {
        {"IN GAME OPTIONS", 32, 764, 20, true, white}, {"SETTINGS", 32, 764, 290, true, white},
        {"Number of laps", 30, 700, 60, true, black},   {"Volume", 30, 700, 510, true, black},
        {"7", 30, 910, 60, true, black},                {"Blue", 30, 830, 250, false, black},
        {"1280x1024", 30, 830, 390, false, black},      {"Options", 35, 357, 608, true, white},
        {"Tavuna", 75, 512, 100, true, black},
    };
    for (auto &c : cases)
        EXPECT_EQ(text_colour(screen, c.text, c.size, c.x, c.y, c.centred), c.colour) << c.text;
}

// Settings in effect from the next race on.

// One real frame of a race started as a mode choice starts it; Escape goes
// down while that frame waits, so the race ends at the next frame's head.
void one_race_frame(int mode)
{
    release_input();
    press_escape_on_wait = true;
    EXPECT_EQ(start_race(mode), race_to_exit);
    press_escape_on_wait = false;
    release_input();
}

// Puts the bow on the finish line with every checkpoint taken.
void at_finish(BOAT *b)
{
    bow_offset(b->rot);
    for (int y = 0; y < alpha->h; y++)
        for (int x = 0; x < alpha->w; x++)
            if (getr_depth(bitmap_color_depth(alpha), getpixel(alpha, x, y)) == mask_finish) {
                b->x = x - gx;
                b->y = y - gy;
                b->xv = b->yv = 0;
                b->cp_one = b->cp_two = b->cp_three = 1;
                return;
            }
    FAIL() << "no finish line in the mask";
}

TEST_F(OptionsTest, APracticeRaceEndsAtTheChosenNumberOfLaps)
{
    nlaps = 5;
    one_race_frame(mode_practice);
    game_mode = mode_practice;
    for (int lap = 1; lap <= 5; lap++) {
        at_finish(&boat);
        EXPECT_EQ(race_frame(), lap < 5 ? race_goes_on : race_to_menus) << "lap " << lap;
        EXPECT_EQ(boat.round, lap);
    }
}

// The hull's most common colour in each boat picture tells which boats a
// race frame drew.
int hull_colour(BITMAP *pic)
{
    std::map<int, int> count;
    for (int y = 0; y < pic->h; y++)
        for (int x = 0; x < pic->w; x++)
            if (getpixel(pic, x, y) != makecol(255, 0, 255))
                count[getpixel(pic, x, y)]++;
    int best = 0, colour = -1;
    for (auto &c : count)
        if (c.second > best)
            best = c.second, colour = c.first;
    return colour;
}

bool shows_colour(BITMAP *bmp, int colour)
{
    for (int y = 0; y < bmp->h; y++)
        for (int x = 0; x < bmp->w; x++)
            if (getpixel(bmp, x, y) == colour)
                return true;
    return false;
}

TEST_F(OptionsTest, BoatColoursShowInTheRacePicture)
{
    int hull[3] = {hull_colour(boat_pics[0]), hull_colour(boat_pics[1]), hull_colour(boat_pics[2])};
    ASSERT_NE(hull[0], hull[1]);
    ASSERT_NE(hull[0], hull[2]);
    ASSERT_NE(hull[1], hull[2]);
    struct {
        int colb, cols;
    } cases[] = {{0, 1}, {2, 0}, {1, 2}, {2, 2}};
    for (auto &c : cases) {
        colb = c.colb;
        cols = c.cols;
        one_race_frame(mode_multiplayer);
        for (int k = 0; k < 3; k++)
            EXPECT_EQ(shows_colour(screen, hull[k]), k == c.colb || k == c.cols)
                << "colour " << k << " with player " << c.colb << " and opponent " << c.cols;
    }
}

// A sound driver that only records the volume each voice is given, so the
// volume that play_sample receives can be seen without a sound card.  It
// has its own sweeps, so Allegro needs no timer for them.
int voice_volume = -1;
int sound_detect(int) { return TRUE; }
int sound_init(int, int) { return 0; }
void sound_exit(int) {}
void voice_noop(int) {}
void voice_init(int, const SAMPLE *) {}
void voice_loop(int, int) {}
void voice_volume_set(int, int v) { voice_volume = v; }
void voice_set(int, int) {}
int voice_unknown(int) { return -1; }
void voice_sweep(int, int, int) {}

const int recorder_id = AL_ID('R', 'E', 'C', 'V');
DIGI_DRIVER recorder;
_DRIVER_INFO recorder_list[] = {{recorder_id, &recorder, TRUE}, {0, NULL, 0}};
_DRIVER_INFO *recorder_drivers() { return recorder_list; }

class VolumeTest : public OptionsTest {
protected:
    void SetUp() override
    {
        OptionsTest::SetUp();
        recorder.id = recorder_id;
        recorder.name = recorder.desc = recorder.ascii_name = "volume recorder";
        recorder.voices = recorder.max_voices = recorder.def_voices = 8;
        recorder.detect = sound_detect;
        recorder.init = sound_init;
        recorder.exit = sound_exit;
        recorder.init_voice = voice_init;
        recorder.release_voice = recorder.start_voice = recorder.stop_voice = voice_noop;
        recorder.loop_voice = voice_loop;
        recorder.get_position = recorder.get_volume = recorder.get_frequency = recorder.get_pan = voice_unknown;
        recorder.set_volume = voice_volume_set;
        recorder.set_frequency = recorder.set_pan = voice_set;
        recorder.ramp_volume = recorder.sweep_frequency = recorder.sweep_pan = voice_sweep;
        recorder.stop_volume_ramp = recorder.stop_frequency_sweep = recorder.stop_pan_sweep = voice_noop;
        system_driver->digi_drivers = recorder_drivers;
        ASSERT_EQ(install_sound(recorder_id, MIDI_NONE, NULL), 0) << allegro_error;
    }
    void TearDown() override
    {
        remove_sound();
        system_driver->digi_drivers = NULL;
        OptionsTest::TearDown();
    }
};

TEST_F(VolumeTest, MusicAndEffectsPlayAtTheChosenVolume)
{
    for (int v : {0, 180, 255}) {
        vol = v;
        voice_volume = -1;
        pointer(707, 630, 1);   // "Exit" held: the outer loop plays the music and leaves
        outer_loop();
        EXPECT_EQ(voice_volume, v) << "music";

        voice_volume = -1;
        complete_lap(&boat);
        EXPECT_EQ(voice_volume, v) << "lap sound";

        voice_volume = -1;
        game_mode = mode_multiplayer;
        super.x = boat.x;
        super.y = boat.y;
        test_contact();
        EXPECT_EQ(voice_volume, v) << "contact sound";
    }
}

} // namespace

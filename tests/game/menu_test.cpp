#include <gtest/gtest.h>
#include "fake_timer.h"
#include "game.h"
#include "headless.h"
#include "menu.h"
#include "menu_support.h"

namespace {

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        load_headless_game();
        release_input();
    }
    void TearDown() override { release_input(); }
};

const int sentinel = 0x010203;

// One pass with the pointer at (x, y) and the given buttons held.
menu_step pass_at(menu_screen s, int x, int y, int buttons = 0)
{
    pointer(x, y, buttons);
    return menu_pass(s);
}

struct item {
    const char *text;
    int size, x, y;
    int left, right, top, bottom;
};

const item play = {"Play", 50, 211, 608, 163, 257, 589, 656};
const item exit_item = {"Exit", 50, 707, 608, 667, 755, 602, 657};
const item options = {"Options", 35, 357, 608, 313, 403, 598, 653};
const item credits = {"Credits", 35, 586, 608, 547, 634, 598, 655};
const item carrier = {"Carrier", 60, 206, 357, 101, 305, 341, 389};
const item practice = {"Practice", 60, 206, 397, 101, 305, 391, 439};
const item multiplayer = {"Multiplayer", 60, 206, 437, 101, 305, 441, 489};
const item bar[] = {play, exit_item, options, credits};
const item modes[] = {carrier, practice, multiplayer};

int colour_of(BITMAP *bmp, const item &it) { return text_colour(bmp, it.text, it.size, it.x, it.y); }

// Drawn at all, in either of the menus' two text colours.
bool drawn(int colour) { return colour == black || colour == white; }

TEST_F(MenuTest, PlayHitBoxEdgesAreInclusive)
{
    struct {
        int x, y;
        int colour;
    } cases[] = {
        {162, 600, black}, {163, 600, white}, {257, 656, white}, {258, 656, black}, {257, 657, black},
    };
    for (auto &c : cases) {
        pass_at(main_menu, c.x, c.y);
        EXPECT_EQ(colour_of(screen, play), c.colour) << c.x << ", " << c.y;
    }
}

// Each live item is white with the pointer on any corner of its box and
// black one pixel outside each side.
TEST_F(MenuTest, EveryLiveItemLightsExactlyOverItsBox)
{
    struct {
        menu_screen s;
        const item &it;
    } cases[] = {
        {main_menu, play}, {main_menu, exit_item}, {main_menu, options}, {main_menu, credits},
        {mode_menu, carrier}, {mode_menu, practice}, {mode_menu, multiplayer},
    };
    for (auto &c : cases) {
        const item &it = c.it;
        SCOPED_TRACE(it.text);
        int inside[][2] = {{it.left, it.top}, {it.right, it.top}, {it.left, it.bottom}, {it.right, it.bottom}};
        for (auto &p : inside) {
            EXPECT_EQ(pass_at(c.s, p[0], p[1]).what, menu_step::stay);
            EXPECT_EQ(colour_of(screen, it), white) << p[0] << ", " << p[1];
        }
        int outside[][2] = {{it.left - 1, it.top}, {it.right + 1, it.top}, {it.left, it.top - 1},
                            {it.right, it.bottom + 1}};
        for (auto &p : outside) {
            pass_at(c.s, p[0], p[1]);
            EXPECT_EQ(colour_of(screen, it), black) << p[0] << ", " << p[1];
        }
    }
}

TEST_F(MenuTest, ModeRowsBetweenTheBoxesLightNothing)
{
    struct {
        int x, y;
        const item *lit;
    } cases[] = {
        {200, 390, nullptr}, {200, 440, nullptr}, {200, 389, &carrier}, {200, 391, &practice}, {305, 489, &multiplayer},
    };
    for (auto &c : cases)
        for (auto &m : modes) {
            pass_at(mode_menu, c.x, c.y);
            EXPECT_EQ(colour_of(screen, m), c.lit && c.lit->text == m.text ? white : black) << m.text << " at " << c.x << ", " << c.y;
        }
}

// The mode texts are 40 rows apart at size 60, so each one's top lies over
// the bottom of the one above: the lower item is drawn later and wins.
TEST_F(MenuTest, EachModeItemIsDrawnOverTheOneAbove)
{
    for (int i = 0; i < 2; i++) {
        const item &upper = modes[i], &lower = modes[i + 1];
        BITMAP *a = coverage(upper.text, upper.size, upper.x, upper.y);
        BITMAP *b = coverage(lower.text, lower.size, lower.x, lower.y);
        for (int lit = 0; lit < 2; lit++) {
            const item &on = lit ? lower : upper;
            pass_at(mode_menu, on.x, on.y + 20);
            int want = lit ? white : black, shared = 0;
            for (int y = 0; y < 768; y++)
                for (int x = 0; x < 1024; x++)
                    if (getpixel(a, x, y) == white && getpixel(b, x, y) == white) {
                        shared++;
                        EXPECT_EQ(getpixel(screen, x, y), want) << upper.text << " over " << lower.text;
                    }
            ASSERT_GT(shared, 0) << upper.text << " and " << lower.text << " do not meet";
        }
        destroy_bitmap(a);
        destroy_bitmap(b);
    }
}

// The whole picture of a pass, built the way each screen is composed.
BITMAP *expected_picture(menu_screen s)
{
    BITMAP *b = create_bitmap(1024, 768);
    blit(menu, b, 0, 0, 0, 0, 1024, 768);
    for (auto &it : bar) {
        alfont_set_font_size(pump, it.size);
        bool fixed = (s == mode_menu && &it == &bar[0]) || (s == credits_screen && &it == &bar[3]);
        alfont_textout_centre_aa(b, pump, it.text, it.x, it.y, fixed ? white : black);
    }
    if (s == mode_menu)
        for (auto &m : modes) {
            alfont_set_font_size(pump, m.size);
            alfont_textout_centre_aa(b, pump, m.text, m.x, m.y, black);
        }
    if (s == credits_screen) {
        alfont_set_font_size(pump, 35);
        alfont_textout_centre_aa(b, pump, "Programming", 206, 417, black);
        alfont_textout_centre_aa(b, pump, "Graphics", 764, 417, black);
        alfont_set_font_size(pump, 70);
        alfont_textout_centre_aa(b, pump, "Dusan Vrtula", 206, 437, black);
        alfont_textout_centre_aa(b, pump, "Eva Paleta", 764, 437, black);
    }
    alfont_set_font_size(pump, 75);
    alfont_textout_centre_aa(b, pump, "Tavuna", 512, 100, black);
    return b;
}

TEST_F(MenuTest, APassShowsTheWholeScreenComposedInTheBackBuffer)
{
    for (menu_screen s : {main_menu, mode_menu, credits_screen}) {
        clear_to_color(screen, sentinel);
        int waited = frames_waited;
        EXPECT_EQ(pass_at(s, 0, 0).what, menu_step::stay);
        EXPECT_EQ(frames_waited, waited + 1) << "one paced frame per pass";
        BITMAP *want = expected_picture(s);
        EXPECT_TRUE(same_picture(want, screen)) << "screen " << s;
        EXPECT_TRUE(same_picture(mb, screen));
        destroy_bitmap(want);
    }
}

TEST_F(MenuTest, APassRepaintsFromTheMenuPictureLeavingNoTraceOfTheLast)
{
    pass_at(main_menu, 211, 620);
    ASSERT_EQ(colour_of(screen, play), white);
    pass_at(main_menu, 0, 0);
    BITMAP *want = expected_picture(main_menu);
    EXPECT_TRUE(same_picture(want, screen));
    destroy_bitmap(want);
}

TEST_F(MenuTest, TheItemNamingTheScreenIsWhiteAndDoesNothing)
{
    struct {
        menu_screen s;
        const item &fixed;
    } cases[] = {{mode_menu, play}, {credits_screen, credits}, {options_screen, options}};
    for (auto &c : cases) {
        SCOPED_TRACE(c.fixed.text);
        pass_at(c.s, 0, 0);
        EXPECT_EQ(colour_of(screen, c.fixed), white) << "white with the pointer elsewhere";
        clear_to_color(screen, sentinel);
        EXPECT_EQ(pass_at(c.s, c.fixed.x, c.fixed.y + 20, 1).what, menu_step::stay);
        EXPECT_NE(getpixel(screen, 0, 0), sentinel) << "the pass went on and was shown";
    }
    pass_at(main_menu, 0, 0);
    for (auto &it : bar)
        EXPECT_EQ(colour_of(screen, it), black) << it.text << ": the main menu has no fixed item";
}

TEST_F(MenuTest, ClicksFollowTheTransitionsTable)
{
    const menu_step stay = {menu_step::stay, 0}, leave = {menu_step::leave, 0};
    const menu_step to_modes = {menu_step::go_to, mode_menu}, to_options = {menu_step::go_to, options_screen},
                    to_credits = {menu_step::go_to, credits_screen};
    struct {
        menu_screen s;
        menu_step play, exit, options, credits;
    } cases[] = {
        {main_menu, to_modes, leave, to_options, to_credits},
        {mode_menu, stay, leave, to_options, to_credits},
        {credits_screen, to_modes, leave, to_options, stay},
        {options_screen, to_modes, leave, stay, to_credits},
    };
    for (auto &c : cases) {
        menu_step want[] = {c.play, c.exit, c.options, c.credits};
        for (int i = 0; i < 4; i++) {
            menu_step got = pass_at(c.s, bar[i].x, bar[i].y + 20, 1);
            EXPECT_EQ(got.what, want[i].what) << "screen " << c.s << ", " << bar[i].text;
            EXPECT_EQ(got.value, want[i].value) << "screen " << c.s << ", " << bar[i].text;
        }
    }
}

TEST_F(MenuTest, ModeItemsStartARaceOnlyOnTheModeMenu)
{
    int want[] = {mode_carrier, mode_practice, mode_multiplayer};
    for (int i = 0; i < 3; i++) {
        menu_step got = pass_at(mode_menu, modes[i].x, modes[i].y + 20, 1);
        EXPECT_EQ(got.what, menu_step::race) << modes[i].text;
        EXPECT_EQ(got.value, want[i]) << modes[i].text;
        for (menu_screen s : {main_menu, credits_screen, options_screen})
            EXPECT_EQ(pass_at(s, modes[i].x, modes[i].y + 20, 1).what, menu_step::stay) << modes[i].text;
    }
}

// The pass that acts stops where the item is drawn: later items, the title
// and the copy to the screen never happen.
TEST_F(MenuTest, AnActingItemEndsThePassUnshown)
{
    clear_to_color(screen, sentinel);
    clear_to_color(mb, sentinel);
    EXPECT_EQ(pass_at(main_menu, credits.x, credits.y + 20, 1).what, menu_step::go_to);
    EXPECT_EQ(getpixel(screen, 0, 0), sentinel);
    EXPECT_EQ(getpixel(screen, 512, 700), sentinel);
    EXPECT_EQ(colour_of(mb, play), black) << "drawn before the item that acted";
    EXPECT_EQ(colour_of(mb, options), black);
    EXPECT_EQ(colour_of(mb, credits), white);
    EXPECT_FALSE(drawn(text_colour(mb, "Tavuna", 75, 512, 100))) << "the title is drawn last";

    EXPECT_EQ(pass_at(main_menu, play.x, play.y + 20, 1).what, menu_step::go_to);
    EXPECT_EQ(colour_of(mb, play), white);
    EXPECT_FALSE(drawn(colour_of(mb, exit_item))) << "nothing after the item that acted";

    EXPECT_EQ(pass_at(mode_menu, 200, 400, 1).what, menu_step::race);
    EXPECT_EQ(colour_of(mb, carrier), black);
    EXPECT_FALSE(drawn(colour_of(mb, multiplayer)));
    EXPECT_EQ(getpixel(screen, 0, 0), sentinel);
}

// A button kept down acts on whatever live item the pointer reaches, on
// whichever screen is showing by then.
TEST_F(MenuTest, AHeldButtonActsWhereverALiveItemComesUnderThePointer)
{
    EXPECT_EQ(pass_at(main_menu, 211, 620, 1).value, mode_menu);
    EXPECT_EQ(pass_at(mode_menu, 211, 620, 1).what, menu_step::stay) << "still over the fixed \"Play\"";
    EXPECT_EQ(pass_at(mode_menu, 200, 390, 1).what, menu_step::stay) << "between two mode items";
    menu_step got = pass_at(mode_menu, 200, 391, 1);
    EXPECT_EQ(got.what, menu_step::race);
    EXPECT_EQ(got.value, mode_practice);

    EXPECT_EQ(pass_at(main_menu, 357, 620, 1).value, options_screen);
    EXPECT_EQ(pass_at(options_screen, 357, 620, 1).what, menu_step::stay);
    EXPECT_EQ(pass_at(options_screen, 700, 620, 1).what, menu_step::leave) << "dragged onto \"Exit\"";
}

TEST_F(MenuTest, RightAndMiddleButtonsDoNothing)
{
    for (int buttons : {2, 4, 6})
        for (menu_screen s : {main_menu, mode_menu, credits_screen, options_screen}) {
            for (auto &it : bar)
                EXPECT_EQ(pass_at(s, it.x, it.y + 20, buttons).what, menu_step::stay) << it.text;
            for (auto &m : modes)
                EXPECT_EQ(pass_at(s, m.x, m.y + 20, buttons).what, menu_step::stay) << m.text;
        }
}

TEST_F(MenuTest, KeysDoNothing)
{
    for (int k = 1; k < KEY_MAX; k++)
        key[k] = 1;
    for (menu_screen s : {main_menu, mode_menu, credits_screen, options_screen}) {
        EXPECT_EQ(pass_at(s, 0, 0).what, menu_step::stay);
        if (s != options_screen) {
            BITMAP *want = expected_picture(s);
            EXPECT_TRUE(same_picture(want, screen)) << "screen " << s;
            destroy_bitmap(want);
        }
    }
}

TEST_F(MenuTest, ExitLeavesTheMenusAndAModeReturnsFromThem)
{
    pointer(707, 630, 1);
    EXPECT_EQ(run_menus(), menu_exit);
}

} // namespace

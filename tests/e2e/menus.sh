#!/bin/bash
# The menus worked with real mouse clicks: through every screen into a
# "Practice" race with 5 laps and a blue boat, then "Exit" from each of the
# four screens.
. "$(dirname "$0")/lib.sh" "$@"

# Whether any pixel of a screenshot has the colour.
shows() { convert "$SHOTS/$1.png" -format %c histogram:info:- | grep -qi "$2"; }

# A pixel of a screenshot, as #RRGGBB.
pixel() { convert "$SHOTS/$1.png" -format "#%[hex:p{$2,$3}]" info:- | cut -c1-7; }

# White pixels in a box of a screenshot: a lit item has hundreds, the
# pointer alone a few dozen.
white_in() {
    convert "$SHOTS/$1.png" -crop "$2" +repage -format %c histogram:info:- |
        awk 'tolower($0) ~ /#ffffff/ { n = $1 + 0 } END { print n + 0 }'
}
lit() { [ "$(white_in "$1" "$2")" -gt 200 ]; }
play_box=95x68+163+589
credits_box=88x58+547+598

blue_hull="#1E28C8"
red_hull="#C8281E"

start_x

start_game
xdotool mousemove 211 620; sleep 0.3; shot menus_main_play_lit
xdotool mousemove 586 620; sleep 0.3; shot menus_main_credits_lit
lit menus_main_play_lit $play_box || fail "\"Play\" not lit under the pointer"
lit menus_main_credits_lit $play_box && fail "\"Play\" still lit with the pointer gone"
lit menus_main_credits_lit $credits_box || fail "\"Credits\" not lit under the pointer"
click 357 620
shot menus_options
[ "$(pixel menus_options 800 60)" = "#000000" ] || fail "no laps frame on the options screen"
click 850 70
click 810 160
xdotool mousemove 600 400; sleep 0.3; shot menus_options_5_laps_blue
click 586 620
shot menus_credits
[ "$(pixel menus_credits 800 60)" != "#000000" ] || fail "the options screen is still shown"
click 211 620
xdotool mousemove 206 415; sleep 0.3; shot menus_modes_practice_lit
click 206 415
key_hold Up 1
shot menus_practice_race
shows menus_practice_race "$blue_hull" || fail "no blue boat in the race"
shows menus_practice_race "$red_hull" && fail "a red boat in the race"
# Held across a few frames: a tap can fall between two of them.
key_hold Escape 0.3
sleep 1
shot menus_exit_screen
wait_game 100
expect_exit_line

# "Exit" from each screen, reached from the main menu.
for way in main "357 620" "586 620" "211 620"; do
    start_game
    [ "$way" = main ] || click $way
    click 707 620
    wait_game 100
    expect_exit_line
done
echo "menus passed"

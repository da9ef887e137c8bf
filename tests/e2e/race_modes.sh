#!/bin/bash
# A race in each mode runs on screen: the single view with its HUD, the
# CPU boat in "Carrier", the split views with their divider; Escape then
# brings the exit line.
. "$(dirname "$0")/lib.sh" "$@"

# The colours of a data picture, one "r,g,b" a line.
colours() {
    convert "$DATA/$1" -format %c histogram:info:- | sed -n 's/.*(\([0-9]*,[0-9]*,[0-9]*\)).*/\1/p' | sort -u
}

# The colours of a picture that none of the others holds: seeing them on
# screen means that picture is drawn there.
signature() { # picture others...
    local own=$1
    shift
    for other in "$@"; do colours "$other"; done | sort -u >"$OUT/others"
    colours "$own" | grep -vx 255,0,255 | comm -23 - "$OUT/others"
}

# How many pixels of a screenshot, in an optional WxH+X+Y region, have one
# of the colours listed in a file.
count() { # shot colour-file [region]
    local crop=()
    [ -n "${3:-}" ] && crop=(-crop "$3" +repage)
    convert "$SHOTS/$1.png" "${crop[@]}" -format %c histogram:info:- |
        awk 'NR == FNR { want["(" $0 ")"] = 1; next }
             match($0, /\([0-9]+,[0-9]+,[0-9]+\)/) && (substr($0, RSTART, RLENGTH) in want) { n += $1 }
             END { print n + 0 }' "$2" -
}

expect_some() { # shot colour-file minimum region what
    local n
    n=$(count "$1" "$2" "$4")
    [ "$n" -ge "$3" ] || fail "$1: $5 ($n pixels)"
}

red_boat=$OUT/red_boat
green_boat=$OUT/green_boat
panel=$OUT/panel
signature lodcervena.bmp lodzelena.bmp ostrov1.bmp panel.bmp >"$red_boat"
signature lodzelena.bmp lodcervena.bmp ostrov1.bmp panel.bmp >"$green_boat"
signature panel.bmp lodcervena.bmp lodzelena.bmp ostrov1.bmp >"$panel"
echo 255,255,255 >"$OUT/white"
echo 0,0,0 >"$OUT/black"
for f in "$red_boat" "$green_boat" "$panel"; do
    [ -s "$f" ] || fail "no colour of its own in $(basename "$f")"
done

# The HUD: the panel at the top centre with the white clock on it, and the
# black lap lines at the top left.
expect_hud() {
    expect_some "$1" "$panel" 2000 200x100+412+0 "no HUD panel"
    expect_some "$1" "$OUT/white" 300 120x70+452+0 "no clock on the panel"
    expect_some "$1" "$OUT/black" 100 300x100+20+10 "no lap lines"
}

race() { # mode
    start_game
    enter_race "$1"
}

leave() {
    key_hold Escape 0.3
    wait_game 100
    expect_exit_line
}

# Practice: the red boat stays at the centre of the view while it runs.
start_x
race Practice
xdotool keydown Up
sleep 1
shot practice_moving
xdotool keydown Right
sleep 0.7
xdotool keyup Right
shot practice_turned
xdotool keyup Up
expect_hud practice_moving
expect_some practice_moving "$red_boat" 200 100x100+512+384 "player 1 not at the view's centre"
expect_some practice_turned "$red_boat" 200 100x100+512+384 "player 1 not at the view's centre"
[ "$(count practice_moving "$green_boat")" -lt 50 ] || fail "practice_moving: a second boat in Practice"
leave

# Carrier: the CPU boat laps every 150 frames and passes through player
# 1's view near the start; a burst of screenshots catches it.
race Carrier
seen=""
for i in $(seq 20); do
    shot carrier_$i
    if [ "$(count carrier_$i "$green_boat")" -ge 200 ]; then
        seen=carrier_$i
        break
    fi
    sleep 0.1
done
[ -n "$seen" ] || fail "the CPU boat never showed in 20 screenshots"
cp "$SHOTS/$seen.png" "$SHOTS/carrier_cpu.png"
expect_hud carrier_cpu
expect_some carrier_cpu "$red_boat" 200 100x100+512+384 "player 1 not at the view's centre"
leave

# Carrier again, for its end: three CPU laps take 450 frames, 7.5 s, and
# then "The winner is...!" and "Player no.2" in white on black stand until
# the CPU's fourth lap brings the race view back 2.5 s later.  Escape on
# it is met by the winner screen's own test (back to the menus) or, now
# and then, by the head of the next frame (the exit screen).
race Carrier
started=$(date +%s)
while [ $(($(date +%s) - started)) -lt 6 ]; do sleep 0.2; done
winner=""
for _ in $(seq 30); do
    shot carrier_winner
    if [ "$(count carrier_winner "$OUT/black" 200x200+0+300)" -eq 40000 ]; then
        winner=yes
        break
    fi
done
[ -n "$winner" ] || fail "no winner screen after the CPU's third lap"
expect_some carrier_winner "$OUT/white" 1500 600x160+212+380 "no winner texts"
key_hold Escape 0.3
sleep 1
if kill -0 "$GAME_PID" 2>/dev/null; then
    shot carrier_back_to_menu
    click 707 630
fi
wait_game 100
expect_exit_line

# Multiplayer: two views, each boat at the centre of its own, and the
# divider, a red of 0 to 254 with no green or blue, down column 512 below
# the HUD panel.
race Multiplayer
xdotool keydown Up keydown w
sleep 0.8
xdotool keyup Up keyup w
shot multiplayer
expect_hud multiplayer
expect_some multiplayer "$red_boat" 200 100x100+256+384 "player 1 not at the left view's centre"
expect_some multiplayer "$green_boat" 200 100x100+768+384 "player 2 not at the right view's centre"
convert "$SHOTS/multiplayer.png" -crop 1x600+512+168 +repage -format %c histogram:info:- >"$OUT/divider"
awk '{ if (!match($0, /\(([0-9]+),0,0\)/) || $0 ~ /\(255,0,0\)/) bad = 1; n += $1 }
     END { exit bad || n != 600 }' "$OUT/divider" || fail "divider column: $(cat "$OUT/divider")"
leave
echo "race_modes passed"

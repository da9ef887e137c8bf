#!/bin/bash
# CPU use of the real game at its 60 frames a second under Xvfb: the share
# of one core the game's process takes over a few seconds in the menus and
# in a race of each mode, with a player holding the throttle and a turn.
#   bench/cpu_use.sh [build dir] [seconds per measurement]
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
seconds=${2:-10}
. "$here/../tests/e2e/lib.sh" "$build/tavuna" "$build/data" "$build/screenshots"

ticks() { awk '{ print $14 + $15 }' "/proc/$GAME_PID/stat"; }

# Prints the game's share of one core over the given seconds.
measure() {
    local name=$1 t0 t1
    t0=$(ticks)
    sleep "$seconds"
    t1=$(ticks)
    awk -v n="$name" -v d=$((t1 - t0)) -v hz="$(getconf CLK_TCK)" -v s="$seconds" \
        'BEGIN { printf "| %-11s | %5.1f %% |\n", n, 100 * d / hz / s }'
}

start_x
echo "| what        | CPU     |"
echo "|-------------|---------|"
for mode in menus Practice Carrier Multiplayer; do
    start_game
    if [ "$mode" != menus ]; then
        enter_race "$mode"
        xdotool keydown Up keydown Left keydown w keydown d
    fi
    measure "$mode"
    xdotool keyup Up keyup Left keyup w keyup d
    stop_game
done

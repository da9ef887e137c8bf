#!/bin/bash
# Monkey: the real game under random mouse moves, clicks and keys for
# MONKEY_SECONDS (30 by default).  It must never crash; when it ends, through
# "Exit" or Escape in a race, its status and exit line must be right, and it
# is started again until the time is used.  MONKEY_SEED repeats a run's
# choices (the game's timing still varies).
. "$(dirname "$0")/lib.sh" "$@"

DURATION=${MONKEY_SECONDS:-30}
SEED=${MONKEY_SEED:-$(date +%s)}
RANDOM=$SEED
echo "monkey: $DURATION s, seed $SEED"

# Where the items of the menus are, so that clicks reach the races and the
# options often enough; "Exit" is among them, but rarely.
TARGETS=(
    "211 620" "211 620" "211 620"              # Play
    "206 365" "206 415" "206 465"              # Carrier, Practice, Multiplayer
    "206 365" "206 415" "206 465"
    "357 625" "590 625"                        # Options, Credits
    "707 630"                                  # Exit
)
KEYS=(Up Down Left Right w a s d)

pause() { sleep "0.$(printf '%02d' $((RANDOM % ${1:-50})))"; }

random_action() {
    local r=$((RANDOM % 100))
    if [ $r -lt 25 ]; then
        xdotool mousemove $((RANDOM % 1024)) $((RANDOM % 768))
    elif [ $r -lt 50 ]; then
        # The menus act on the button held inside an item for a frame or two.
        xdotool mousemove ${TARGETS[RANDOM % ${#TARGETS[@]}]}
        pause 20
        xdotool mousedown 1
        sleep 0.15
        xdotool mouseup 1
    elif [ $r -lt 60 ]; then
        xdotool mousemove $((RANDOM % 1024)) $((RANDOM % 768)) mousedown 1
        pause 30
        xdotool mouseup 1
    elif [ $r -lt 96 ]; then
        # One or two steering keys held together for a while.
        local k1=${KEYS[RANDOM % 8]} k2=${KEYS[RANDOM % 8]}
        xdotool keydown "$k1" keydown "$k2"
        sleep "$((RANDOM % 2)).$((RANDOM % 10))"
        xdotool keyup "$k1" keyup "$k2"
    else
        xdotool keydown Escape
        sleep 0.15
        xdotool keyup Escape
    fi
    pause 30
}

# A game that has ended must have ended well.
check_ended() {
    wait_game 1
    [ "$STATUS" -eq 0 ] || fail "run $runs: exit status $STATUS"
    [ -s "$OUT/stderr" ] && fail "run $runs: wrote to stderr"
    expect_exit_line
    echo "run $runs ended with the exit line"
}

start_x
end=$((SECONDS + DURATION))
runs=0
while [ $SECONDS -lt $end ]; do
    runs=$((runs + 1))
    start_game
    while [ $SECONDS -lt $end ] && kill -0 "$GAME_PID" 2>/dev/null; do
        random_action
    done
    if kill -0 "$GAME_PID" 2>/dev/null; then
        # Time is up with the game running: the last picture, then stop it.
        shot monkey_end
        stop_game
        echo "run $runs still running at the end"
        break
    fi
    check_ended
done
echo "monkey passed: $runs runs"

#!/bin/bash
# A player holding the arrow keys races "Practice" to its end on the real
# game under X: the driver presses keys through the X server while the
# game runs with its own timer and keyboard; three laps, then the
# total-time screen.
. "$(dirname "$0")/lib.sh" "$@"
DRIVER=$(dirname "$GAME")/practice_driver
start_x
timeout -k 5 400 "$DRIVER" "$DATA" "$SHOTS" >"$OUT/stdout" 2>"$OUT/stderr" || fail "$(cat "$OUT/stdout")"
cat "$OUT/stdout"
grep -q "race ended for the menus with 3 laps" "$OUT/stdout" || fail "the race did not end after three laps"
echo "practice_by_keys passed"

#!/bin/bash
# The race clock installed again at a second mode choice still counts one
# second a second, on Allegro's real timer.
. "$(dirname "$0")/lib.sh" "$@"
start_x
timeout -k 5 60 "$(dirname "$GAME")/clock_driver" "$DATA" >"$OUT/stdout" 2>"$OUT/stderr" || fail "$(cat "$OUT/stdout")"
cat "$OUT/stdout"
echo "clock_twice passed"

#!/bin/bash
# The real game starts full screen, a race runs, Escape brings the exit
# screen for 3 seconds, then "smrt blenderu" and status 0.
. "$(dirname "$0")/lib.sh" "$@"
start_x
start_game
enter_race Practice
key_hold Up 1.5
shot race
start=$(date +%s.%N)
key_tap Escape
sleep 1
shot exit_screen
wait_game 100
end=$(date +%s.%N)
expect_exit_line
awk -v s="$start" -v e="$end" 'BEGIN { exit !(e - s >= 2.9) }' || fail "the exit screen did not stay 3 seconds"
echo "race_escape passed"

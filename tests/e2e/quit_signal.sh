#!/bin/bash
# The system asks the game to end (SIGTERM, as at logout; SIGINT, as
# Ctrl+C in its terminal): it leaves through the exit screen, prints its
# line and exits with status 0, from a race and from the menus alike.
. "$(dirname "$0")/lib.sh" "$@"
start_x

start_game
enter_race Practice
key_hold Up 0.5
kill -TERM "$GAME_PID"
wait_game 100
expect_exit_line
echo "ok: SIGTERM in a race"

start_game
kill -INT "$GAME_PID"
wait_game 100
expect_exit_line
echo "ok: SIGINT in the menus"
echo "quit_signal passed"

#!/bin/sh
# Takes the README's screenshot: starts the game under a private X server,
# picks "Practice" on the menus, drives a moment and saves a small PNG of
# the race to docs/screenshot.png.
# Usage: scripts/screenshot.sh [build folder]   (default: build)
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(cd "${1:-$ROOT/build}" && pwd)
SHOTS=$(mktemp -d)

set -- "$BUILD/tavuna" "$BUILD/data" "$SHOTS"
. "$ROOT/tests/e2e/lib.sh"

start_x
start_game
# The menus test the button while the pointer is over an item: hold it a moment.
click_at() {
    xdotool mousemove "$1" "$2" mousedown 1
    sleep 0.3
    xdotool mouseup 1
    sleep 0.7
}
click_at 211 620    # "Play"
click_at 206 410    # "Practice"
key_hold Up 1.2
shot race
convert "$SHOTS/race.png" -resize 50% -colors 256 -strip "$ROOT/docs/screenshot.png"
rm -rf "$SHOTS"
echo "wrote $ROOT/docs/screenshot.png"

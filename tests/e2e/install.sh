#!/bin/bash
# `cmake --install` into a fresh prefix gives the launcher, the game, its
# data, a desktop entry and an icon; the installed launcher, started from
# elsewhere, runs a race through to the exit line.
. "$(dirname "$0")/lib.sh" "$@"

BUILD=$(dirname "$GAME")
PREFIX=$(mktemp -d)
trap 'cleanup; rm -rf "$PREFIX"' EXIT

cmake --install "$BUILD" --prefix "$PREFIX" >"$OUT/install.log" 2>&1 || {
    cat "$OUT/install.log" >&2
    fail "cmake --install"
}

[ -x "$PREFIX/bin/tavuna" ] || fail "no launcher bin/tavuna"
[ -x "$PREFIX/libexec/tavuna/tavuna" ] || fail "no game libexec/tavuna/tavuna"
for f in airstream.ttf lodcervena.bmp lodzelena.bmp ostrov1.bmp alpha1.bmp menu.bmp panel.bmp \
    sounds/dray.wav sounds/spring.wav main.wav; do
    cmp -s "$DATA/$f" "$PREFIX/share/tavuna/$f" || fail "data file $f not installed as built"
done
[ -e "$PREFIX/share/tavuna/.stamp" ] && fail "the build's stamp file was installed"
desktop=$PREFIX/share/applications/tavuna.desktop
grep -qx "Exec=tavuna" "$desktop" || fail "desktop entry does not start tavuna"
grep -qx "Icon=tavuna" "$desktop" || fail "desktop entry names no icon"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "desktop entry not valid"
fi
icon=$PREFIX/share/icons/hicolor/128x128/apps/tavuna.png
identify -format '%m %wx%h' "$icon" | grep -qx "PNG 128x128" || fail "icon is not a 128 x 128 PNG"

# The launcher is found through PATH and started from a folder without data,
# so it must find the game and its data on its own.
GAME=tavuna
DATA=$(mktemp -d)
export PATH="$PREFIX/bin:$PATH"
start_x
start_game
enter_race Practice
key_hold Up 1
shot installed_race
key_hold Escape 0.3
wait_game 100
expect_exit_line
rmdir "$DATA"
echo "install passed"

#!/bin/bash
# A broken data folder or a screen that cannot be had: one line on stderr
# naming the cause, exit status 1.
. "$(dirname "$0")/lib.sh" "$@"

# Runs the game in a copy of the data folder broken by $2 and expects a
# single stderr line containing $3.
expect_failure() {
    local name=$1 breakage=$2 expected=$3
    local dir
    dir=$(mktemp -d)
    cp -r "$DATA"/. "$dir"
    (cd "$dir" && eval "$breakage")
    (cd "$dir" && timeout 20 "$GAME" >"$OUT/stdout" 2>"$OUT/stderr")
    local status=$?
    rm -rf "$dir"
    [ "$status" -eq 1 ] || fail "$name: exit status $status"
    [ "$(wc -l <"$OUT/stderr")" -eq 1 ] || fail "$name: stderr is not one line"
    grep -qF -- "$expected" "$OUT/stderr" || fail "$name: stderr lacks '$expected'"
    [ -s "$OUT/stdout" ] && fail "$name: wrote to stdout"
    echo "ok: $name: $(cat "$OUT/stderr")"
}

start_x
expect_failure "island missing" "rm ostrov1.bmp" "ostrov1.bmp"
expect_failure "mask truncated" "head -c 5000 alpha1.bmp > x && mv x alpha1.bmp" "alpha1.bmp"
expect_failure "boat of the wrong size" "cp menu.bmp lodzelena.bmp" "lodzelena.bmp"
expect_failure "font missing" "rm airstream.ttf" "airstream.ttf"
expect_failure "font not a font" "echo hello > airstream.ttf" "airstream.ttf"
expect_failure "sound missing" "rm sounds/spring.wav" "sounds/spring.wav"
expect_failure "music not a sound" "cp panel.bmp main.wav" "main.wav"
DISPLAY= expect_failure "no screen" "true" "1024 x 768"
echo "startup_failures passed"

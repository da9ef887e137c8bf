# Shared by the end-to-end tests: a private X server, the game started in
# its data folder, keys and clicks through xdotool, screenshots.
# Usage: . lib.sh <game binary> <data dir> <screenshot dir>
set -u

GAME=$1
DATA=$2
SHOTS=$3
mkdir -p "$SHOTS"
OUT=$(mktemp -d)
XVFB_PID=""
GAME_PID=""

# A game still running is killed outright: told to end, it would show its
# exit screen for 3 seconds first.
stop_game() {
    kill -KILL "$GAME_PID" 2>/dev/null
    wait "$GAME_PID" 2>/dev/null
    GAME_PID=""
}

cleanup() {
    [ -n "$GAME_PID" ] && stop_game
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
    rm -rf "$OUT"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    [ -f "$OUT/stderr" ] && sed 's/^/game stderr: /' "$OUT/stderr" >&2
    exit 1
}

# The X server picks a free display itself and writes its number to the
# pipe, so tests and scripts can run side by side.
start_x() {
    exec 9<> <(:)
    # -noreset: a game restarted on the same server must not meet a reset.
    Xvfb -displayfd 9 -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
    XVFB_PID=$!
    local n=""
    read -r -t 10 n <&9 || fail "no X server could be started"
    exec 9<&-
    export DISPLAY=":$n"
}

start_game() {
    (cd "$DATA" && exec "$GAME" >"$OUT/stdout" 2>"$OUT/stderr") &
    GAME_PID=$!
    # The game is up once its window is mapped.
    for _ in $(seq 100); do
        xdotool search --name . >/dev/null 2>&1 && { sleep 1; return 0; }
        kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended at start-up"
        sleep 0.1
    done
    fail "no game window"
}

shot() { import -window root "$SHOTS/$1.png" || fail "screenshot $1"; }

key_hold() { xdotool keydown "$1"; sleep "$2"; xdotool keyup "$1"; }

# A tap lasts a few frames, so the game's once-a-frame test cannot miss it.
key_tap() { key_hold "$1" 0.1; }

# The menus act on the button held while the pointer is in a box, so the
# button stays down for a few frames.
click() { xdotool mousemove "$1" "$2"; sleep 0.2; xdotool mousedown 1; sleep 0.2; xdotool mouseup 1; sleep 0.3; }

# From the main menu through "Play" to a race of the named mode.
enter_race() {
    click 211 620
    case $1 in
        Carrier) click 206 365 ;;
        Practice) click 206 415 ;;
        Multiplayer) click 206 465 ;;
        *) fail "no mode $1" ;;
    esac
    sleep 0.5
}

# Waits for the game to end; sets STATUS.
wait_game() {
    for _ in $(seq "${1:-100}"); do
        if ! kill -0 "$GAME_PID" 2>/dev/null; then
            wait "$GAME_PID"
            STATUS=$?
            GAME_PID=""
            return 0
        fi
        sleep 0.1
    done
    fail "the game did not end"
}

expect_exit_line() {
    [ "$STATUS" -eq 0 ] || fail "exit status $STATUS"
    [ "$(cat "$OUT/stdout")" = "smrt blenderu" ] || fail "stdout was '$(cat "$OUT/stdout")'"
    [ -z "$(tail -c 1 "$OUT/stdout")" ] && fail "stdout ends with a line break"
    true
}

#!/bin/bash
# Every data file broken every way we can think of, and a screen that cannot
# be had: each gives one line on stderr naming the file and the problem,
# exit status 1, nothing on stdout, no crash and no hang.
. "$(dirname "$0")/lib.sh" "$@"

WORK=$(mktemp -d)
trap 'cleanup; rm -rf "$WORK"' EXIT
cp -r "$DATA"/. "$WORK/data"
mkdir "$WORK/spare"

# Files that stand in for broken ones, made once.
make_spares() {
    local s=$WORK/spare
    echo "hello, I am not what you think" >"$s/text"
    # Pictures of the right size with a palette (8 bits a pixel, or fewer
    # when ImageMagick finds few colours).
    for f in lodcervena.bmp ostrov1.bmp alpha1.bmp menu.bmp panel.bmp; do
        convert "$DATA/$f" -colors 256 -type Palette "BMP3:$s/8bit-$f" || fail "convert $f"
    done
    # WAV headers of formats Allegro cannot play, with a little sound data:
    # 24-bit PCM and 32-bit float.
    wav "$s/24bit.wav" '\x01\x00' '\x18\x00'
    wav "$s/float.wav" '\x03\x00' '\x20\x00'
    # A font FreeType opens but that only has one bitmap size.
    cat >"$s/fixed.bdf" <<'BDF'
STARTFONT 2.1
FONT -misc-tiny-medium-r-normal--8-80-75-75-c-80-iso10646-1
SIZE 8 75 75
FONTBOUNDINGBOX 8 8 0 0
STARTPROPERTIES 2
FONT_ASCENT 8
FONT_DESCENT 0
ENDPROPERTIES
CHARS 1
STARTCHAR A
ENCODING 65
SWIDTH 500 0
DWIDTH 8 0
BBX 8 8 0 0
BITMAP
18
24
42
7E
42
42
42
00
ENDCHAR
ENDFONT
BDF
}

# wav FILE FORMAT_TAG BITS: a mono 22050 Hz RIFF WAVE with 96 bytes of data.
wav() {
    {
        printf 'RIFF\x80\x00\x00\x00WAVEfmt \x10\x00\x00\x00'
        printf "$2"'\x01\x00\x22\x56\x00\x00\x00\x00\x00\x00\x04\x00'"$3"
        printf 'data\x60\x00\x00\x00'
        head -c 96 /dev/zero
    } >"$1"
}

# Breakages: each a command run in the data folder on the file $f.
missing() { rm "$f"; }
empty() { : >"$f"; }
cut_half() { head -c $(($(stat -c %s "$DATA/$f") / 2)) "$DATA/$f" >"$f"; }
cut_tail() { head -c $(($(stat -c %s "$DATA/$f") - 400)) "$DATA/$f" >"$f"; }
text() { cp "$WORK/spare/text" "$f"; }
picture() { cp "$DATA/panel.bmp" "$f"; }
other() { cp "$WORK/spare/$1" "$f"; }

# case FILE BREAKAGE EXPECTED: breaks FILE in the data folder, runs the game
# there and puts the file back.
case_() {
    local breakage=$2 expected=$3
    f=$1
    (cd "$WORK/data" && eval "$breakage")
    (cd "$WORK/data" && timeout -k 5 10 "$GAME" >"$OUT/stdout" 2>"$OUT/stderr")
    local status=$?
    rm -f "$WORK/data/$f"
    cp "$DATA/$f" "$WORK/data/$f"
    local name="$f, $breakage"
    [ "$status" -eq 124 ] && fail "$name: the game did not end"
    [ "$status" -eq 1 ] || fail "$name: exit status $status"
    [ "$(wc -l <"$OUT/stderr")" -eq 1 ] || fail "$name: stderr is not one line"
    grep -qF -- "tavuna: $f: " "$OUT/stderr" || fail "$name: stderr does not name $f"
    grep -qF -- "$expected" "$OUT/stderr" || fail "$name: stderr lacks '$expected'"
    [ -s "$OUT/stdout" ] && fail "$name: wrote to stdout"
    echo "ok: $name: $(cat "$OUT/stderr")"
}

start_x
make_spares

for f in lodcervena.bmp lodzelena.bmp ostrov1.bmp alpha1.bmp menu.bmp panel.bmp; do
    case_ $f missing "missing or unreadable"
    case_ $f empty "is empty"
    case_ $f cut_half "is truncated"
    case_ $f cut_tail "is truncated"
    case_ $f text "not a BMP picture"
    case_ $f "other 24bit.wav" "not a BMP picture"
done
case_ lodcervena.bmp "other 8bit-lodcervena.bmp" "expected 24 or 32-bit colour"
case_ lodzelena.bmp "other 8bit-lodcervena.bmp" "expected 24 or 32-bit colour"
case_ ostrov1.bmp "other 8bit-ostrov1.bmp" "expected 24 or 32-bit colour"
case_ alpha1.bmp "other 8bit-alpha1.bmp" "expected 24 or 32-bit colour"
case_ menu.bmp "other 8bit-menu.bmp" "expected 24 or 32-bit colour"
case_ panel.bmp "other 8bit-panel.bmp" "expected 24 or 32-bit colour"
# The panel may be any size; every other picture has one.
case_ lodcervena.bmp picture "expected 100 x 100"
case_ lodzelena.bmp picture "expected 100 x 100"
case_ ostrov1.bmp picture "expected 2100 x 1900"
case_ alpha1.bmp picture "expected 2100 x 1900"
case_ menu.bmp picture "expected 1024 x 768"

for f in sounds/dray.wav sounds/spring.wav main.wav; do
    case_ $f missing "missing or unreadable"
    case_ $f empty "is empty"
    case_ $f cut_half "is truncated"
    case_ $f text "not a WAV sound"
    case_ $f picture "not a WAV sound"
    case_ $f "other 24bit.wav" "is not 8 or 16-bit PCM"
    case_ $f "other float.wav" "is not 8 or 16-bit PCM"
done

f=airstream.ttf
case_ $f missing "missing or unreadable"
case_ $f empty "is empty"
case_ $f cut_half "is truncated"
case_ $f cut_tail "is truncated"
case_ $f text "not a font FreeType can open"
case_ $f picture "not a font FreeType can open"
case_ $f "other fixed.bdf" "cannot be drawn at the game's text sizes"

# No X server at all: Allegro or the screen mode is the cause.
(cd "$WORK/data" && DISPLAY= timeout -k 5 10 "$GAME" >"$OUT/stdout" 2>"$OUT/stderr")
status=$?
[ "$status" -eq 1 ] || fail "no screen: exit status $status"
[ "$(wc -l <"$OUT/stderr")" -eq 1 ] || fail "no screen: stderr is not one line"
grep -qE "^tavuna: (Allegro cannot start: .+|1024 x 768 screen mode.*)$" "$OUT/stderr" || fail "no screen: stderr names no cause"
echo "ok: no screen: $(cat "$OUT/stderr")"
echo "startup_failures passed"

#!/bin/sh
# Builds the text layer's fuzz target with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer), makes a small seed corpus and fuzzes for a
# bounded time; a finding is copied to $FUZZ_ARTIFACTS (default: the
# current folder).  Fails when the fuzzer finds a crash, a leak or a hang.
#
#   fuzz/run.sh [seconds] [corpus-dir]
# Exits 77 (skipped) when clang or libFuzzer is not installed.
set -u

here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
seconds=${1:-30}
artifacts=${FUZZ_ARTIFACTS:-$(pwd)}
work=$(mktemp -d "${TMPDIR:-/tmp}/alfont-fuzz.XXXXXX")
corpus=${2:-$work/corpus}
trap 'rm -rf "$work"' EXIT

command -v clang++ >/dev/null 2>&1 || { echo "clang++ not installed: skipped"; exit 77; }

# shellcheck disable=SC2046
if ! clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
        -I"$root/text" $(pkg-config --cflags allegro freetype2) \
        "$here/alfont_fuzz.cpp" "$root/text/alfont.cpp" \
        $(pkg-config --libs allegro freetype2) -o "$work/alfont_fuzz" 2>"$work/build.log"; then
    if grep -q "libclang_rt.fuzzer\|fsanitize=fuzzer" "$work/build.log"; then
        echo "libFuzzer not installed: skipped"; exit 77
    fi
    cat "$work/build.log"; exit 1
fi

# Seeds: a text length byte, the text, then a font.
mkdir -p "$corpus"
seed() { # name text font-file [bytes]
    { printf '%b' "\\0$(printf '%o' "${#2}")"; printf '%s' "$2"
      if [ -n "${4:-}" ]; then head -c "$4" "$3"; else cat "$3"; fi; } >"$corpus/$1"
}
cat >"$work/tiny.bdf" <<'BDF'
STARTFONT 2.1
FONT -test-tiny-medium-r-normal--10-100-75-75-c-60-iso10646-1
SIZE 10 75 75
FONTBOUNDINGBOX 6 10 0 -2
STARTPROPERTIES 5
PIXEL_SIZE 10
FONT_ASCENT 8
FONT_DESCENT 2
CHARSET_REGISTRY "ISO10646"
CHARSET_ENCODING "1"
ENDPROPERTIES
CHARS 2
STARTCHAR space
ENCODING 32
SWIDTH 600 0
DWIDTH 6 0
BBX 1 1 0 0
BITMAP
00
ENDCHAR
STARTCHAR A
ENCODING 65
SWIDTH 600 0
DWIDTH 6 0
BBX 4 6 1 0
BITMAP
F0
90
F0
90
90
90
ENDCHAR
ENDFONT
BDF
yanone=/usr/share/fonts/opentype/yanone-kaffeesatz/YanoneKaffeesatz-Bold.otf
seed bdf "A A" "$work/tiny.bdf"
seed bdf_cut "AAA" "$work/tiny.bdf" 400
if [ -f "$yanone" ]; then
    seed yanone "Tavuna 1:05" "$yanone"
    seed yanone_cut "Carrier" "$yanone" 3000
fi
dejavu=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
[ -f "$dejavu" ] && seed dejavu "Practice" "$dejavu"

cd "$work" || exit 1
./alfont_fuzz -max_total_time="$seconds" -timeout=60 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$work/" "$corpus" >"$work/fuzz.log" 2>&1
status=$?
tail -n 25 "$work/fuzz.log"
if [ "$status" -ne 0 ]; then
    for a in "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-*; do
        [ -f "$a" ] && cp "$a" "$artifacts/" && echo "kept $(basename "$a")"
    done
    exit 1
fi
exit 0

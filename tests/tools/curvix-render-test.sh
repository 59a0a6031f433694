#!/usr/bin/env bash
# curvix-render as a user runs it, with no display: PNG files of the asked
# size, documents loaded from .cvx, and clear errors with non-zero status.
set -u
tool=$1
unset DISPLAY WAYLAND_DISPLAY
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
checks=0

check() { # name expected actual
    checks=$((checks + 1))
    if [ "$2" != "$3" ]; then
        printf 'FAIL %s\n--- expected\n%s\n--- actual\n%s\n' "$1" "$2" "$3"
        failures=$((failures + 1))
    fi
}
contains() { # name needle haystack
    checks=$((checks + 1))
    case "$3" in
    *"$2"*) ;;
    *) printf 'FAIL %s: "%s" not in:\n%s\n' "$1" "$2" "$3"; failures=$((failures + 1)) ;;
    esac
}
# PNG signature, then width and height from the header chunk.
png_header() {
    [ -f "$1" ] || { echo "no file"; return; }
    printf '%s %d %d' "$(od -An -tx1 -N8 "$1" | tr -d ' \n')" \
        "0x$(od -An -tx1 -j16 -N4 "$1" | tr -d ' \n')" "0x$(od -An -tx1 -j20 -N4 "$1" | tr -d ' \n')"
}
signature=89504e470d0a1a0a

"$tool" --formula 'x^2/10' -o "$tmp/parabola.png" 2>"$tmp/err"
check "formula exit status" 0 $?
check "formula image" "$signature 600 600" "$(png_header "$tmp/parabola.png")"
check "formula quiet" "" "$(cat "$tmp/err")"

"$tool" --formula 'sin(x*18)*3' --size 320x200 -o "$tmp/sine.png"
check "sized image" "$signature 320 200" "$(png_header "$tmp/sine.png")"

# int32 length, formula, 0, then range, rotation, half-extents, step as
# little-endian floats: -10 10 | 30 0 20 | 10 5 | 0.5
printf '\x01\x00\x00\x00x\x00\x00\x00\x20\xc1\x00\x00\x20\x41\x00\x00\xf0\x41\x00\x00\x00\x00\x00\x00\xa0\x41\x00\x00\x20\x41\x00\x00\xa0\x40\x00\x00\x00\x3f' >"$tmp/line.cvx"
"$tool" "$tmp/line.cvx" -o "$tmp/line.png" --size 100x80
check "document exit status" 0 $?
check "document image" "$signature 100 80" "$(png_header "$tmp/line.png")"

# NaN and infinite half-extents and angles: drawn, not hung.
printf '\x01\x00\x00\x00x\x00\x00\x00\x20\xc1\x00\x00\x20\x41\x00\x00\xc0\x7f\x00\x00\x80\x7f\x00\x00\x80\xff\x00\x00\x80\x7f\x00\x00\xc0\x7f\xcd\xcc\xcc\x3d' >"$tmp/hostile.cvx"
timeout 60 "$tool" "$tmp/hostile.cvx" -o "$tmp/hostile.png" --size 64x64
check "hostile numbers exit status" 0 $?

printf 'not a document' >"$tmp/text.cvx"
err=$("$tool" "$tmp/text.cvx" -o "$tmp/text.png" 2>&1)
check "unexpected format exit status" 1 $?
contains "unexpected format message" "Unexpected file format." "$err"
check "unexpected format writes nothing" "no file" "$(png_header "$tmp/text.png")"

err=$("$tool" "$tmp/missing.cvx" -o "$tmp/missing.png" 2>&1)
check "missing file exit status" 1 $?
contains "missing file message" "$tmp/missing.cvx" "$err"

err=$("$tool" --formula x --size 0x600 -o "$tmp/zero.png" 2>&1)
check "size out of range exit status" 2 $?
contains "size out of range message" "size '0x600' out of range" "$err"

err=$("$tool" --formula x -o "$tmp/no/such/dir.png" 2>&1)
check "unwritable output exit status" 1 $?
contains "unwritable output message" "cannot write $tmp/no/such/dir.png" "$err"

err=$(__EGL_VENDOR_LIBRARY_FILENAMES=/nonexistent.json "$tool" --formula x -o "$tmp/nogl.png" 2>&1)
check "no OpenGL exit status" 1 $?
contains "no OpenGL message" "curvix-render: no OpenGL available" "$err"
check "no OpenGL writes nothing" "no file" "$(png_header "$tmp/nogl.png")"

# Vector pages: well-formed, of the image size, shapes only, and made
# without OpenGL.
"$tool" --formula 'x^2/10' --angles 30:0:20 -o "$tmp/p.svg"
check "svg exit status" 0 $?
contains "svg size" 'width="600" height="600" viewBox="0 0 600 600"' "$(head -c 400 "$tmp/p.svg")"
check "svg has no bitmap" 0 "$(grep -c '<image' "$tmp/p.svg")"
if command -v rsvg-convert >/dev/null; then
    rsvg-convert -o "$tmp/svg.png" "$tmp/p.svg"
    check "svg rasterised" "$signature 600 600" "$(png_header "$tmp/svg.png")"
fi
__EGL_VENDOR_LIBRARY_FILENAMES=/nonexistent.json "$tool" --formula x --size 200x100 -o "$tmp/p.pdf"
check "pdf without OpenGL exit status" 0 $?
check "pdf page of 200x100 points" 1 "$(grep -ac 'MediaBox \[ 0 0 200 100 \]' "$tmp/p.pdf")"
check "pdf has no image objects" 0 "$(grep -ac '/Image' "$tmp/p.pdf")"
if command -v pdfimages >/dev/null; then
    check "pdf images listed" 2 "$(pdfimages -list "$tmp/p.pdf" | wc -l)"
fi
check "svg to standard output" "<?xml" "$("$tool" --formula x --format svg -o - | head -c 5)"

# --rad: the formula's rad is 1, so the curve of rad*5 starts at (-10, 5).
curve_start='d="M 27.27[0-9]* 163.6'
check "rad set" 1 "$("$tool" --formula 'rad*5' --rad --format svg -o - | grep -c "$curve_start")"
check "rad unset" 0 "$("$tool" --formula 'rad*5' --format svg -o - | grep -c "$curve_start")"

# Names and formats that do not fit, and scene numbers refused before
# anything is written.
for row in "p.svg --format png|does not match --format png" "p.bmpx|cannot tell the image format" \
    "-|needs --format" "p.png --step 0|option --step" "p.png --angles 1:x:3|option --angles"; do
    args=${row%%|*}
    # shellcheck disable=SC2086 # the row's words are separate arguments
    err=$(cd "$tmp" && "$tool" --formula x -o $args 2>&1 >/dev/null)
    check "refused $args exit status" 2 $?
    contains "refused $args message" "${row#*|}" "$err"
done
check "refused names write nothing" "" "$(cd "$tmp" && ls p.bmpx 2>/dev/null)"

# Without the surfaceless platform, the EGL device platform (Mesa's software
# device) and then the default display draw the same pixels; with no way
# left, the error names each one tried.
"$tool" --formula 'x^2/10' --size 120x90 -o "$tmp/surfaceless.png"
CURVIX_EGL_PLATFORMS=device "$tool" --formula 'x^2/10' --size 120x90 -o "$tmp/device.png"
check "device platform exit status" 0 $?
check "device platform pixels" "" "$(cmp "$tmp/surfaceless.png" "$tmp/device.png" 2>&1)"
CURVIX_EGL_PLATFORMS=default EGL_PLATFORM=surfaceless "$tool" --formula 'x^2/10' --size 120x90 \
    -o "$tmp/default.png"
check "default display exit status" 0 $?
check "default display pixels" "" "$(cmp "$tmp/surfaceless.png" "$tmp/default.png" 2>&1)"
err=$(__EGL_VENDOR_LIBRARY_FILENAMES=/nonexistent.json "$tool" --formula x -o "$tmp/none.png" 2>&1)
contains "every way named" "(surfaceless platform: not offered; device platform: not offered; default display: cannot be opened)" "$err"

"$tool" --bogus >/dev/null 2>&1
check "unknown option exit status" 2 $?

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]

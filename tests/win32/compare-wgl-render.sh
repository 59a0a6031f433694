#!/usr/bin/env bash
# The Windows view's drawing through WGL against curvix-render's on Linux:
# the same documents drawn by both, compared pixel for pixel (each channel
# within 1). Both draw with Mesa's software renderer, so they should agree.
#   compare-wgl-render.sh LINUX_BUILD WINDOWS_CURVIX_RENDER_WGL
# LINUX_BUILD has curvix-render, curvix-write-document and
# curvix-image-check built. Needs an X display for Wine's OpenGL (DISPLAY),
# and Wine; WINEPREFIX as the caller set it.
set -u
linux_render=$1/tools/curvix-render/curvix-render
write_document=$1/tests/document/curvix-write-document
image_check=$1/tests/image-check/curvix-image-check
windows_render=$2
export LIBGL_ALWAYS_SOFTWARE=1
if [ -z "${DISPLAY:-}" ]; then
    echo "FAIL no X display for Wine's OpenGL: set DISPLAY"
    exit 1
fi
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
checks=0

# name width height formula, then the document's eight numbers in file
# order: range from to, angles first second third, half-extents x y, step
same() {
    local name=$1 width=$2 height=$3
    checks=$((checks + 1))
    "$write_document" "$tmp/$name.cvx" "$4" "${@:5}"
    if ! "$linux_render" "$tmp/$name.cvx" --size "${width}x$height" -o "$tmp/$name.png" \
        2>"$tmp/$name.linux.err"; then
        echo "FAIL $name: curvix-render failed: $(cat "$tmp/$name.linux.err")"
        failures=$((failures + 1))
        return
    fi
    if ! wine "$windows_render" "$tmp/$name.cvx" "$width" "$height" "$tmp/$name.ppm" \
        2>"$tmp/$name.windows.err"; then
        echo "FAIL $name: curvix-render-wgl failed: $(tr -d '\r' <"$tmp/$name.windows.err")"
        failures=$((failures + 1))
        return
    fi
    if ! "$image_check" files "$tmp/$name.ppm" "$tmp/$name.png" >"$tmp/$name.diff" 2>&1; then
        echo "FAIL $name (${width}x$height): Linux and Windows pictures differ"
        cat "$tmp/$name.diff"
        failures=$((failures + 1))
    fi
}

same default 600 600 '' -10 10 0 0 0 10 10 0.1
same curve 601 601 'sin(x*18)*3+x^2/20' -10 10 0 0 0 10 10 0.05
same rotated 600 600 'x^3/40-2' -10 10 35 12 -20 10 10 0.1
same wide 640 360 '|x|-2' -6 6 0 0 0 5.5 2.5 0.1

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]

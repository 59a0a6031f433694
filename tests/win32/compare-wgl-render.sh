#!/usr/bin/env bash
# The Windows view's drawing through WGL against curvix-render's on Linux:
# the same documents drawn by both, compared pixel for pixel (each channel
# within 1). Both draw with Mesa's software renderer, so they should agree.
#   compare-wgl-render.sh LINUX_CURVIX_RENDER WINDOWS_CURVIX_RENDER_WGL
# Needs an X display for Wine's OpenGL (DISPLAY), and Wine; WINEPREFIX as
# the caller set it.
set -u
linux_render=$1
windows_render=$2
here=$(cd "$(dirname "$0")" && pwd)
images="python3 $here/wgl_images.py"
export LIBGL_ALWAYS_SOFTWARE=1
if [ -z "${DISPLAY:-}" ]; then
    echo "FAIL no X display for Wine's OpenGL: set DISPLAY"
    exit 1
fi
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
checks=0

# name width height formula range0 range1 angle0 angle1 angle2 extent0 extent1 step
same() {
    local name=$1 width=$2 height=$3
    checks=$((checks + 1))
    $images cvx "$tmp/$name.cvx" "$4" "${@:5}"
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
    if ! $images compare "$tmp/$name.png" "$tmp/$name.ppm" >"$tmp/$name.diff"; then
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

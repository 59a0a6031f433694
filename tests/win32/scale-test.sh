#!/usr/bin/env bash
# curvix.exe at 200 % (192 dots per inch) under Wine, in a prefix of its
# own: the frame opens at the scale, the view's curve is curvix-render's
# picture at the view's size in device pixels (within 1), and the size
# pane, as a screen reader reads it, names that size.
#   scale-test.sh LINUX_BUILD WINDOWS_BUILD
# Needs DISPLAY on a 1280 x 1024 screen, and Wine.
set -u
linux=$1
windows=$2
render=$linux/tools/curvix-render/curvix-render
check=$linux/tests/image-check/curvix-image-check
write_document=$linux/tests/document/curvix-write-document
probe=$windows/tests/win32/curvix-window-probe.exe
tmp=$(mktemp -d)
curvix=
export WINEPREFIX=$tmp/wine WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='
trap '[ -n "$curvix" ] && kill "$curvix" 2>/dev/null; wineserver -k 2>/dev/null; rm -rf "$tmp"' EXIT
export XDG_RUNTIME_DIR=$tmp/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
failures=0
checks=0
fail() {
    echo "FAIL $*"
    failures=$((failures + 1))
}

# 192 dots per inch, and the system's scaling of programs unaware of it
# on: only then does Wine 8 treat a program as its manifest says.
wineboot -i >/dev/null 2>&1
desktop='HKCU\Control Panel\Desktop'
wine reg add "$desktop" /v LogPixels /t REG_DWORD /d 192 /f >/dev/null 2>&1
wine reg add "$desktop" /v DpiScalingVer /t REG_DWORD /d 0x1000 /f >/dev/null 2>&1
wineserver -k

# Half-extents of 12 and 8: at this view's size a tick of the square 10 by
# 10 scene lands one pixel apart in Wine's WGL and in curvix-render's EGL
# (compare-wgl-render.sh shows the same with curvix-render-wgl).
doc=$tmp/plot.cvx
"$write_document" "$doc" 'sin(36*x)*5' -10 10 0 0 0 12 8 0.1
wine "$windows/app/curvix.exe" "Z:${doc//\//\\}" 2>/dev/null &
curvix=$!
checks=$((checks + 1))
if ! wine "$probe" wait-title "plot.cvx - Curvix" 30000 >/dev/null; then
    fail "no window \"plot.cvx - Curvix\" within 30 s"
    echo "$((checks - failures)) passed, $failures failed"
    exit 1
fi
read -r x y w h < <(wine "$probe" view | tr -d '\r')
echo "the view lies at $x,$y, ${w}x$h"

# The frame opens 1200 device pixels wide (600 at 100 %): the view, beside
# the Scene toolbar, is wider than the 1000 the whole frame would be
# short of at 96 dots per inch.
checks=$((checks + 1))
[ "$w" -gt 1000 ] || fail "the view is ${w} pixels wide: the frame did not open at the scale"

# The curve, one device pixel per line, fills the whole view.
checks=$((checks + 1))
"$render" "$doc" --size "${w}x$h" -o "$tmp/plot.png" 2>/dev/null
shown=no
for _ in $(seq 50); do
    if "$check" screen "$x" "$y" "$w" "$h" same "$tmp/plot.png" "$tmp/shown.png" >"$tmp/diff" 2>&1; then
        shown=yes
        break
    fi
    sleep 0.1
done
[ "$shown" = yes ] || fail "the view does not show curvix-render's picture at ${w}x$h: $(cat "$tmp/diff")"

# The size pane's name and text through Active Accessibility, from
# another process as a screen reader asks.
checks=$((checks + 1))
panes=$(wine "$probe" status | tr -d '\r')
size=$(printf '%dx%d' "$w" "$h")
[ "$w" -lt 1000 ] && [ "$h" -lt 1000 ] && size=" $size"
printf '%s\n' "$panes" | grep -qx "View Size=$size" ||
    fail "the status bar tells screen readers '$panes', not 'View Size=$size'"
printf '%s\n' "$panes" | grep -qx "Message=.*" || fail "no pane is called Message: '$panes'"

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]

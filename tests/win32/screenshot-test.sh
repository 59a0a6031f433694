#!/usr/bin/env bash
# curvix.exe under Wine on an X server, against curvix-render on Linux (both
# draw with Mesa's llvmpipe): the axes at the start, a document opened with
# Ctrl+O through the Open dialog, its curve, a drag that turns it and a
# double click that turns it back, each the same pixels (within 1) as
# curvix-render's picture of that scene at the view's size; the engine's
# reports on standard error; File > Exit with status 0 and the document in
# the registry's recent-file list.
#   screenshot-test.sh LINUX_BUILD WINDOWS_BUILD [SCREENSHOTS]
# Needs DISPLAY, Wine with WINEPREFIX set, and xdotool. What the screen
# showed at each check is kept in the folder SCREENSHOTS when given.
set -u
linux=$1
windows=$2
render=$linux/tools/curvix-render/curvix-render
check=$linux/tests/image-check/curvix-image-check
write_document=$linux/tests/document/curvix-write-document
probe=$windows/tests/win32/curvix-window-probe.exe
screenshots=${3:-}
tmp=$(mktemp -d)
curvix=
keep() {
    [ -n "$screenshots" ] && mkdir -p "$screenshots" && cp "$tmp"/*.shown.png "$screenshots"/ 2>/dev/null
    true
}
trap '[ -n "$curvix" ] && kill "$curvix" 2>/dev/null; keep; rm -rf "$tmp"' EXIT
failures=0
checks=0
# Qt (in curvix-image-check) wants a runtime folder of its own.
export XDG_RUNTIME_DIR=$tmp/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

fail() {
    echo "FAIL $*"
    failures=$((failures + 1))
}

# The view's pixels against a picture: Wine hands each frame to the X
# server on its own time, so the screen is read until it shows the picture,
# for at most five seconds.
view_shows() { # name picture
    checks=$((checks + 1))
    local _
    for _ in $(seq 50); do
        if "$check" screen "$x" "$y" "$w" "$h" same "$2" "$tmp/$1.shown.png" >"$tmp/$1.diff" \
            2>&1; then
            return 0
        fi
        sleep 0.1
    done
    fail "$1: the view does not show curvix-render's picture: $(cat "$tmp/$1.diff")"
}

# Keys go to the X window with the focus; without a window manager nobody
# else gives it.
focus() { # window title
    local window
    window=$(timeout 10 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1)
    [ -n "$window" ] && xdotool windowfocus --sync "$window"
}

# sin(36x)*5 with an undeclared q (read as 0): the same curve, and one
# report a sample.
doc=$tmp/plot.cvx
"$write_document" "$doc" 'sin(36*x)*5+q' -10 10 0 0 0 10 10 0.1
wine "$windows/app/curvix.exe" 2>"$tmp/curvix.err" &
curvix=$!
checks=$((checks + 1))
if ! wine "$probe" wait-title "Untitled - Curvix" 30000 >/dev/null; then
    fail "no window \"Untitled - Curvix\" within 30 s"
    exit 1
fi
read -r x y w h < <(wine "$probe" view | tr -d '\r')
echo "the view lies at $x,$y, ${w}x$h"

# A new document has no curve yet: the axes alone, as curvix-render draws
# them under a curve that lies wholly outside the picture.
"$render" --formula 1000 --size "${w}x$h" -o "$tmp/axes.png"
view_shows axes "$tmp/axes.png"

checks=$((checks + 1))
focus "Untitled - Curvix"
xdotool key ctrl+o
if ! wine "$probe" wait-dialog Open 10000 >/dev/null; then
    fail "Ctrl+O shows no Open dialog"
    exit 1
fi
# The dialog's name field has the focus; Wine maps Z: to /.
focus Open
xdotool type --delay 10 "Z:${doc//\//\\}"
xdotool key Return
checks=$((checks + 1))
wine "$probe" wait-title "plot.cvx - Curvix" 10000 >/dev/null || fail "the document did not open"
"$render" "$doc" --size "${w}x$h" -o "$tmp/plot.png" 2>/dev/null
view_shows opened "$tmp/plot.png"

# 30 pixels right and 10 down: the first angle -30, the third +10.
xdotool mousemove $((x + w / 2)) $((y + h / 2)) mousedown 1 \
    mousemove $((x + w / 2 + 30)) $((y + h / 2 + 10)) mouseup 1
"$render" "$doc" --size "${w}x$h" --angles -30:0:10 -o "$tmp/turned.png" 2>/dev/null
view_shows turned "$tmp/turned.png"
xdotool click --repeat 2 --delay 80 1
view_shows "turned-back" "$tmp/plot.png"

# Opening computed the curve: one report a sample on standard error.
checks=$((checks + 1))
reports=$(tr -d '\r' <"$tmp/curvix.err" | grep -cx "Error: Variable 'q' is undeclared. It is used as 0.0 .")
[ "$reports" = 200 ] || fail "$reports report lines on standard error, not 200"

# File > Exit by the menu's keys.
checks=$((checks + 1))
focus "plot.cvx - Curvix"
xdotool key alt+f
sleep 0.5
xdotool key x
status=0
wait "$curvix" || status=$?
curvix=
[ "$status" = 0 ] || fail "File > Exit ended curvix.exe with status $status"
checks=$((checks + 1))
recent=$(wine reg query 'HKCU\Software\Quenmark\Curvix\Recent File List' /v File1 2>/dev/null |
    tr -d '\r' | grep File1)
case $recent in
*REG_SZ*'Z:'*'\plot.cvx') ;;
*) fail "the recent-file list holds '$recent', not the document" ;;
esac

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]

#!/bin/sh
# Runs the plot click test under Weston on its X11 backend, on an X server of
# its own: xdotool's clicks on Weston's window reach the program as a
# Wayland seat's pointer. Where a tool is missing the test is skipped (77),
# and fails under CI=true, which installs them.
# Usage: wayland-click-test.sh TEST_PROGRAM
set -u
tests=$1
for tool in Xvfb weston weston-screenshooter xdotool; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "$tool is not installed"
        [ "${CI:-}" = true ] && exit 1
        exit 77
    fi
done
work=$(mktemp -d)
chmod 700 "$work"
server=
compositor=
trap '[ -n "$compositor" ] && kill $compositor; [ -n "$server" ] && kill $server; wait; rm -rf "$work"' EXIT
wait_for() {
    for _ in $(seq 100); do
        [ -e "$1" ] && [ ! -f "$1" -o -s "$1" ] && return 0
        sleep 0.1
    done
    return 1
}
Xvfb -displayfd 3 -screen 0 1024x900x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
server=$!
if ! wait_for "$work/display"; then
    echo "FAILED: Xvfb did not start"
    cat "$work/xvfb.log"
    exit 1
fi
display=:$(cat "$work/display")
# --debug lets weston-screenshooter take the compositor's picture.
DISPLAY=$display XDG_RUNTIME_DIR=$work weston --backend=x11-backend.so --socket=curvix-click \
    --width=900 --height=800 --use-pixman --no-config --idle-time=0 --debug \
    >"$work/weston.log" 2>&1 &
compositor=$!
if ! wait_for "$work/curvix-click"; then
    echo "FAILED: weston did not start"
    cat "$work/weston.log"
    exit 1
fi
# The pointer waits outside Weston's window: Weston takes the first position
# from the pointer entering it.
DISPLAY=$display xdotool mousemove 1000 880
env -u DISPLAY WAYLAND_DISPLAY="$work/curvix-click" QT_QPA_PLATFORM=wayland \
    CURVIX_TEST_X_DISPLAY=$display ASAN_OPTIONS=detect_leaks=0 \
    "$tests" --gtest_filter='PlotClick.*' >"$work/test.log" 2>&1
status=$?
cat "$work/test.log"
if grep -q 'Could not find the Qt platform plugin "wayland"' "$work/test.log"; then
    echo "Qt's Wayland platform plugin is not installed"
    [ "${CI:-}" = true ] && exit 1
    exit 77
fi
exit $status

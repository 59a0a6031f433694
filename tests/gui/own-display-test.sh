#!/bin/sh
# Runs GUI tests on X servers of their own (Xvfb picks free displays):
#   window-manager  the first window's fit under Openbox, which frames its
#                   windows, on 1280 x 1024 and 800 x 600 at scales 1 and 2
#   wayland-click   the plot click test under Weston on its X11 backend:
#                   xdotool's clicks on Weston's window reach the program
#                   through a Wayland seat
# Where a tool is missing the test is skipped (77), and fails under CI=true,
# which installs them.
# Usage: own-display-test.sh window-manager|wayland-click TEST_PROGRAM
set -u
mode=$1
tests=$2
tools="Xvfb openbox"
[ "$mode" = wayland-click ] && tools="Xvfb weston weston-screenshooter xdotool"
missing() {
    echo "$1"
    [ "${CI:-}" = true ] && exit 1
    exit 77
}
for tool in $tools; do
    command -v "$tool" >/dev/null 2>&1 || missing "$tool is not installed"
done
work=$(mktemp -d)
chmod 700 "$work"
pids=
stop() {
    for pid in $pids; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; done
    pids=
}
trap 'stop; rm -rf "$work"' EXIT
# Starts a program in the background, then waits up to 10 s for PATH to
# exist (a file: with something in it); fails with LOG when it does not.
start() {
    path=$1 log=$2
    shift 2
    "$@" >"$log" 2>&1 &
    pids="$! $pids"
    for _ in $(seq 100); do
        [ -e "$path" ] && { [ ! -f "$path" ] || [ -s "$path" ]; } && return 0
        sleep 0.1
    done
    echo "FAILED: $1 did not start"
    cat "$log"
    exit 1
}
xserver() {
    rm -f "$work/display"
    start "$work/display" "$work/xvfb.log" \
        Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp 3>"$work/display"
    display=:$(cat "$work/display")
}

if [ "$mode" = window-manager ]; then
    status=0
    for screen in 1280x1024 800x600; do
        xserver "$screen"
        rm -f "$work/ready"
        start "$work/ready" "$work/openbox.log" env DISPLAY="$display" XDG_CONFIG_HOME="$work" \
            XDG_CACHE_HOME="$work" openbox --sm-disable --startup "sh -c 'echo up >$work/ready'"
        for scale in 1 2; do
            echo "== screen $screen, scale $scale"
            DISPLAY=$display QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale CURVIX_TEST_FRAMED=1 \
                "$tests" --gtest_filter='FirstWindow.*' || status=1
        done
        stop
    done
    exit $status
fi

xserver 1024x900
# --debug lets weston-screenshooter take the compositor's picture.
start "$work/wayland" "$work/weston.log" env DISPLAY="$display" XDG_RUNTIME_DIR="$work" \
    weston --backend=x11-backend.so --socket=wayland --width=900 --height=800 --use-pixman \
    --no-config --idle-time=0 --debug
# The pointer waits outside Weston's window: Weston takes its first
# position from the pointer entering it.
DISPLAY=$display xdotool mousemove 1000 880
env -u DISPLAY WAYLAND_DISPLAY="$work/wayland" QT_QPA_PLATFORM=wayland \
    CURVIX_TEST_X_DISPLAY=$display ASAN_OPTIONS=detect_leaks=0 \
    "$tests" --gtest_filter='PlotClick.*' >"$work/test.log" 2>&1
status=$?
cat "$work/test.log"
if grep -q 'Could not find the Qt platform plugin "wayland"' "$work/test.log"; then
    missing "Qt's Wayland platform plugin is not installed"
fi
exit $status

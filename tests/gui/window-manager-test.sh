#!/bin/sh
# Runs the first window's fit tests on X servers of their own under Openbox,
# a window manager that frames its windows: screens of 1280 x 1024 and
# 800 x 600, each at display scales 1 and 2. Where Xvfb or Openbox is
# missing the test is skipped (77), and fails under CI=true, which installs
# them.
# Usage: window-manager-test.sh TEST_PROGRAM
set -u
tests=$1
for tool in Xvfb openbox; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "$tool is not installed"
        [ "${CI:-}" = true ] && exit 1
        exit 77
    fi
done
work=$(mktemp -d)
server=
manager=
stop() {
    [ -n "$manager" ] && kill "$manager" 2>/dev/null && wait "$manager" 2>/dev/null
    [ -n "$server" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
    manager=
    server=
}
trap 'stop; rm -rf "$work"' EXIT
# Waits up to 10 s for a file to be written.
wait_for() {
    for _ in $(seq 100); do
        [ -s "$1" ] && return 0
        sleep 0.1
    done
    return 1
}
status=0
for screen in 1280x1024 800x600; do
    rm -f "$work/display" "$work/ready"
    # -displayfd: the server takes a free display and writes its number.
    Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp 3>"$work/display" \
        >"$work/xvfb.log" 2>&1 &
    server=$!
    if ! wait_for "$work/display"; then
        echo "FAILED: Xvfb did not start"
        cat "$work/xvfb.log"
        exit 1
    fi
    display=:$(cat "$work/display")
    DISPLAY=$display XDG_CONFIG_HOME=$work XDG_CACHE_HOME=$work \
        openbox --sm-disable --startup "sh -c 'echo up >$work/ready'" >"$work/openbox.log" 2>&1 &
    manager=$!
    if ! wait_for "$work/ready"; then
        echo "FAILED: openbox did not start"
        cat "$work/openbox.log"
        exit 1
    fi
    for scale in 1 2; do
        echo "== screen $screen, scale $scale"
        DISPLAY=$display QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale CURVIX_TEST_FRAMED=1 \
            "$tests" --gtest_filter='FirstWindow.*' || status=1
    done
    stop
done
exit $status

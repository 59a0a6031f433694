#!/bin/sh
# Runs the axes and first-window fit tests under a headless Weston whose
# output has a scale of 2.
# Skipped (77) where Weston or Qt's Wayland platform plugin is missing; an
# installed Weston that does not start fails it.
# Usage: wayland-scale-test.sh TEST_PROGRAM
set -u
tests=$1
if ! command -v weston >/dev/null 2>&1; then
    echo "skipped: weston is not installed"
    exit 77
fi
runtime=$(mktemp -d)
chmod 700 "$runtime"
XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so --socket=curvix-test \
    --scale=2 --width=1280 --height=1024 --no-config --idle-time=0 \
    >"$runtime/weston.log" 2>&1 &
weston=$!
trap 'kill $weston 2>/dev/null; wait $weston 2>/dev/null; rm -rf "$runtime"' EXIT
for _ in $(seq 100); do
    [ -S "$runtime/curvix-test" ] && break
    kill -0 $weston 2>/dev/null || break
    sleep 0.1
done
if [ ! -S "$runtime/curvix-test" ]; then
    echo "FAILED: weston did not start"
    cat "$runtime/weston.log"
    exit 1
fi
env -u DISPLAY WAYLAND_DISPLAY="$runtime/curvix-test" QT_QPA_PLATFORM=wayland \
    CURVIX_TEST_PIXEL_RATIO=2 "$tests" --gtest_filter=DisplayScale.AxesSpan*:FirstWindow.* \
    >"$runtime/test.log" 2>&1
status=$?
cat "$runtime/test.log"
if grep -q 'Could not find the Qt platform plugin "wayland"' "$runtime/test.log"; then
    echo "skipped: Qt's Wayland platform plugin is not installed"
    exit 77
fi
exit $status

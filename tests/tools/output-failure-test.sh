#!/usr/bin/env bash
# The programs with outputs that fail: each ends with status 1 and one line
# naming the cause, and destroys nothing its output path named.
#   output-failure-test.sh CURVIX-RENDER CURVIX-EVAL [CURVIX [CURVIX-XPM2PNG]]
set -u
R=$1 E=$2 C=${3:-} X=${4:-}
xpm="$(cd "$(dirname "$0")/../.." && pwd)/resources/images/CurvixIcon32.xpm"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
tmp=$(mktemp -d)
chmod 755 "$tmp"
trap 'chmod -R u+w "$tmp"; rm -rf "$tmp"' EXIT
failures=0 checks=0
plot="--formula 'sin(x)*5' --size 400x400 --format png -o"
# Descriptor 4: a pipe whose reader is gone.
mkfifo "$tmp/pipe" && exec 3<>"$tmp/pipe" 4>"$tmp/pipe" 3<&-
# Runs a folder's command as nobody where the test runs as root.
as_user() { if [ "$(id -u)" = 0 ]; then setpriv --reuid=65534 --regid=65534 --clear-groups "$@"; else "$@"; fi; }
snapshot() { ls -lA --time-style=+ "$dir"; cat "$dir/old"; ls -l /dev/full /dev/stdout; }

# row NAME STATUS MESSAGE SETUP COMMAND: SETUP and COMMAND run in a fresh
# folder holding the file "old"; a failed run must leave the folder as it
# was and say MESSAGE, exactly, on standard error.
row() {
    checks=$((checks + 1))
    dir=$tmp/$1
    mkdir -m 755 "$dir" && printf old >"$dir/old" && (cd "$dir" && eval "$4")
    local before status
    before=$(snapshot)
    (cd "$dir" && eval "$5") 2>"$tmp/err"
    status=$?
    if [ "$status" -ge 126 ] && [ "$1" = RenderReadOnlyFolder ]; then
        echo "SKIP $1: the program cannot be run as nobody"; return
    fi
    if [ "$status" != "$2" ] || [ "$(cat "$tmp/err")" != "$3" ] ||
        { [ "$2" = 1 ] && [ "$(snapshot)" != "$before" ]; }; then
        printf 'FAIL %s: status %s, standard error:\n%s\n--- before\n%s\n--- after\n%s\n' \
            "$1" "$status" "$(cat "$tmp/err")" "$before" "$(snapshot)"
        failures=$((failures + 1))
    fi
}
png() { [ "$(head -c 4 "$1" | tail -c 3)" = PNG ]; }
no_space="No space left on device"

row RenderFullDeviceLink 1 "curvix-render: cannot write out: $no_space" 'ln -s /dev/full out' "$R $plot out"
row RenderLinkToAFile 0 "" 'ln -s old out' "$R $plot out && [ -L out ] && png old"
row RenderFifo 0 "" 'mkfifo out' "timeout 30 cat out >../fifo.png & $R $plot out; wait; [ -p out ] && png ../fifo.png"
row RenderFileLimit 1 "curvix-render: cannot write old: File too large" : "trap '' XFSZ; ulimit -f 1; $R $plot old"
row RenderReadOnlyFolder 1 "curvix-render: cannot write old: Permission denied" \
    '[ "$(id -u)" = 0 ] || chmod 555 .' "as_user $R $plot old"
row RenderClosedPipe 1 "curvix-render: cannot write standard output: Broken pipe" : "trap '' PIPE; $R $plot - >&4"
svg="--formula 'sin(x)*5' --format svg -o" pdf="--formula 'sin(x)*5' --format pdf -o"
row SvgFileLimit 1 "curvix-render: cannot write old: File too large" : "trap '' XFSZ; ulimit -f 1; $R $svg old"
row PdfFullDeviceLink 1 "curvix-render: cannot write out: $no_space" 'ln -s /dev/full out' "$R $pdf out"
row PdfClosedPipe 1 "curvix-render: cannot write standard output: Broken pipe" : "trap '' PIPE; $R $pdf - >&4"
row RenderFullStdout 1 "curvix-render: cannot write standard output: $no_space" : "$R $plot - >/dev/full"
row RenderFullDevStdout 1 "curvix-render: cannot write /dev/stdout: $no_space" : "$R $plot /dev/stdout >/dev/full"
row EvalFullStdout 1 "curvix-eval: cannot write output: $no_space" : "$E -- 1+1 >/dev/full"
row EvalClosedPipe 1 "curvix-eval: cannot write output: Broken pipe" : "trap '' PIPE; $E -- 1 >&4"
row EvalSampleFileLimit 1 "curvix-eval: cannot write output: File too large" : \
    "trap '' XFSZ; ulimit -f 1; echo '0 10000 1 x' | $E --sample >../sample"
row RenderVersionFullStdout 1 "curvix-render: cannot write standard output" : "$R --version >/dev/full"
row EvalVersionFullStdout 1 "curvix-eval: cannot write output: $no_space" : "$E --version >/dev/full"
if [ -n "$C" ]; then
    row CurvixVersionFullStdout 1 "curvix: cannot write output: $no_space" : "$C --version >/dev/full"
    row CurvixWithoutDisplay 1 \
        "curvix: a display is needed: none of DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM is set" : "$C"
    unreachable="no display server answers there, or Qt's platform plugin for it is missing"
    row CurvixUnreachableX11 1 "curvix: cannot open the display (DISPLAY=:987): $unreachable" : \
        "DISPLAY=:987 $C"
    row CurvixUnreachableWayland 1 \
        "curvix: cannot open the display (QT_QPA_PLATFORM=wayland, WAYLAND_DISPLAY=nowhere): $unreachable" \
        : "XDG_RUNTIME_DIR=\$PWD QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=nowhere $C"
    row CurvixMissingPlugin 1 "curvix: cannot open the display (QT_QPA_PLATFORM=nosuch): $unreachable" : \
        "QT_QPA_PLATFORM=nosuch $C"
    row CurvixDisplayNameWithANewline 1 \
        "curvix: cannot open the display (DISPLAY=:98\\x0a7): $unreachable" : "DISPLAY=\$':98\\n7' $C"
fi
if [ -n "$X" ]; then
    row Xpm2pngFullDeviceLink 1 "curvix-xpm2png: cannot write out: $no_space" 'ln -s /dev/full out' \
        "$X '$xpm' out 128"
    row Xpm2pngLinkToAFile 0 "" 'ln -s old out' "$X '$xpm' out 128 && [ -L out ] && png old"
fi

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]

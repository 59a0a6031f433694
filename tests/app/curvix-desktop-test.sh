#!/usr/bin/env bash
# The real program in a fresh account, started as the desktop starts it
# (needs DISPLAY): after one start the desktop's own tools know .cvx
# documents and name Curvix for them; the unregister switch takes all of it
# back, settings included. Only the command lines that end by themselves
# are run here; the rest are driven in the GUI tests.
set -u
curvix=$1
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
failures=0

check() { # name expected actual
    if [ "$2" != "$3" ]; then
        printf 'FAIL %s\n--- expected\n%s\n--- actual\n%s\n' "$1" "$2" "$3"
        failures=$((failures + 1))
    fi
}

# A clean environment: only what a desktop session would pass on. GNOME
# mode makes xdg-mime ask GLib, which reads the shared MIME database.
in_account() {
    env -i PATH="$PATH" HOME="$home" DISPLAY="${DISPLAY:-}" XDG_RUNTIME_DIR="$home/run" \
        XDG_DATA_DIRS=/usr/share XDG_CONFIG_DIRS=/etc/xdg XDG_CURRENT_DESKTOP=GNOME \
        GIO_USE_VFS=local LIBGL_ALWAYS_SOFTWARE=1 QT_QPA_PLATFORM=xcb \
        ASAN_OPTIONS="${ASAN_OPTIONS:-}" LSAN_OPTIONS="${LSAN_OPTIONS:-}" \
        UBSAN_OPTIONS="${UBSAN_OPTIONS:-}" "$@"
}
start() { in_account timeout 120 "$curvix" "$@" >"$home/out" 2>&1; }
file_type() { in_account xdg-mime query filetype "$home/plot.cvx"; }
default_app() { in_account xdg-mime query default application/x-curvix-document; }

mkdir -m 700 "$home/run"
{ printf '\003\000\000\000x^2\000'; head -c 32 /dev/zero; } >"$home/plot.cvx"

check "type before any start" "" "$(file_type | grep -x application/x-curvix-document)"
check "default before any start" "" "$(default_app)"

start /p "$home/plot.cvx"
check "/p exit status" 0 $?
check "type after one start" application/x-curvix-document "$(file_type)"
check "default after one start" org.quenmark.Curvix.desktop "$(default_app)"
check "/p keeps the document in the recent files" "File1=$home/plot.cvx" \
    "$(grep '^File1=' "$home/.config/Quenmark/Curvix.conf")"
check "desktop entry runs this program" "Exec=\"$(readlink -f "$curvix")\" %f" \
    "$(grep '^Exec=' "$home/.local/share/applications/org.quenmark.Curvix.desktop")"

start -pt "$home/plot.cvx" Printer Driver Port
check "-pt exit status" 0 $?

# Another program's association for .cvx is never taken over.
sed -i 's|^application/x-curvix-document=.*|application/x-curvix-document=other.desktop;|' \
    "$home/.config/mimeapps.list"
start /p "$home/plot.cvx"
check "a foreign default stays" "application/x-curvix-document=other.desktop;" \
    "$(grep '^application/x-curvix-document=' "$home/.config/mimeapps.list")"
sed -i '/^application\/x-curvix-document=/d' "$home/.config/mimeapps.list"

start /p "$home/plot.cvx"
start /UNREGSERVER -Embedding
check "unregister exit status" 0 $?
check "unregister is silent with Embedding" "" "$(cat "$home/out")"
check "type after unregister" "" "$(file_type | grep -x application/x-curvix-document)"
check "default after unregister" "" "$(default_app)"
check "nothing of Curvix is left" "" \
    "$(cd "$home" && find . -path ./run -prune -o -path ./plot.cvx -o -type f -print0 |
        xargs -0 -r grep -il curvix)"
check "no file named after Curvix is left" "" "$(find "$home" -iname '*curvix*')"
check "the settings folder is gone" "" "$(ls -d "$home/.config/Quenmark" 2>/dev/null)"
check "no desktop file, database or folder is left" "" \
    "$(ls -A "$home/.local/share" "$home/.config" 2>/dev/null)"

# Without a display, in a home with nothing in it: --help and --version
# answer, unregistering silently works, and none of them leaves a trace
# (the manual pages' check compares --help with the page).
empty=$(mktemp -d)
trap 'rm -rf "$home" "$empty"' EXIT
bare() { env -i PATH="$PATH" HOME="$empty" ASAN_OPTIONS="${ASAN_OPTIONS:-}" "$curvix" "$@"; }
check "--version" "curvix 1.0.0.1" "$(bare --version)"
check "--help" 0 "$(bare --help >/dev/null; echo $?)"
bare /Unregister /Embedding >"$home/out" 2>&1
check "unregister without a display" "0 " "$? $(cat "$home/out")"
check "the empty home stays empty" "" "$(ls -A "$empty")"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all checks passed"

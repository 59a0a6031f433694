#!/usr/bin/env bash
# An installed Curvix beside the user's home (needs DISPLAY): installed into
# a temporary prefix whose caches are built as a package's triggers would
# build them, started on a document with XDG_DATA_DIRS naming the prefix,
# it writes no desktop file into an empty home and .cvx documents open with
# the installed entry. Unregistering in an empty home leaves it empty.
set -u
build=$1
[ -n "${DISPLAY:-}" ] || { echo "SKIP: needs DISPLAY"; exit 77; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
check() { # name expected actual
    [ "$2" = "$3" ] && return
    printf 'FAIL %s\n--- expected\n%s\n--- actual\n%s\n' "$1" "$2" "$3"
    failures=$((failures + 1))
}

prefix=$tmp/prefix
cmake --install "$build" --prefix "$prefix" >"$tmp/install.log" || { cat "$tmp/install.log"; exit 1; }
XDG_DATA_DIRS="$prefix/share" update-mime-database "$prefix/share/mime"
update-desktop-database "$prefix/share/applications"
if command -v gtk-update-icon-cache >/dev/null; then
    gtk-update-icon-cache -q --ignore-theme-index "$prefix/share/icons/hicolor"
fi

home=$tmp/home
mkdir -p "$home" "$tmp/run"
chmod 700 "$tmp/run"
{ printf '\003\000\000\000x^2\000'; head -c 32 /dev/zero; } >"$tmp/plot.cvx"
in_account() {
    env -i PATH="$PATH" HOME="$home" DISPLAY="$DISPLAY" XDG_RUNTIME_DIR="$tmp/run" \
        XDG_DATA_DIRS="$prefix/share:/usr/share" XDG_CONFIG_DIRS=/etc/xdg XDG_CURRENT_DESKTOP=GNOME \
        GIO_USE_VFS=local LIBGL_ALWAYS_SOFTWARE=1 QT_QPA_PLATFORM=xcb \
        ASAN_OPTIONS="${ASAN_OPTIONS:-}" "$@"
}

in_account timeout 120 "$prefix/bin/curvix" /p "$tmp/plot.cvx"
check "/p exit status" 0 $?
check "no per-user desktop files" "" "$(ls -A "$home/.local/share" 2>/dev/null)"
check "no mimeapps.list" "" "$(ls "$home/.config/mimeapps.list" 2>/dev/null)"
check "the type is known" application/x-curvix-document "$(in_account xdg-mime query filetype "$tmp/plot.cvx")"
check ".cvx opens with the installed entry" org.quenmark.Curvix.desktop \
    "$(in_account xdg-mime query default application/x-curvix-document)"

in_account "$prefix/bin/curvix" /Unregister /Embedding
check "unregister exit status" 0 $?
check "the settings are gone" "" "$(ls -A "$home/.config" 2>/dev/null)"
rm -rf "$home"
mkdir "$home"
in_account env -u DISPLAY "$prefix/bin/curvix" /Unregister /Embedding
check "unregister in an empty home" "0 " "$? $(ls -A "$home")"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "coexistence test passed"

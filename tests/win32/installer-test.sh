#!/usr/bin/env bash
# The Windows installer in a Wine prefix of its own: msiexec /i /qn puts
# both programs under Program Files, the Start-menu shortcut and the
# document type for all users; a document opens from the shell; curvix.exe
# started by its shortcut draws the empty document as curvix-render does and
# ends by File > Exit; msiexec /x /qn then leaves no file, folder or
# registry key behind that was not there before the installation.
#   installer-test.sh LINUX_BUILD WINDOWS_BUILD
# Needs DISPLAY, Wine and xdotool; the MSI comes from the target curvix-msi.
set -u
linux=$1
windows=$2
render=$linux/tools/curvix-render/curvix-render
check=$linux/tests/image-check/curvix-image-check
write_document=$linux/tests/document/curvix-write-document
probe=$windows/tests/win32/curvix-window-probe.exe
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$windows/CMakeCache.txt")
msi=$windows/installer/curvix-$version-x64.msi
tmp=$(mktemp -d)
# Wine's menu builder writes Linux menu entries for the shortcut: into the
# temporary folder, not the user's.
export WINEPREFIX=$tmp/wine XDG_DATA_HOME=$tmp/xdg-data XDG_CONFIG_HOME=$tmp/xdg-config
export XDG_RUNTIME_DIR=$tmp/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
trap 'wineserver -k 2>/dev/null; rm -rf "$tmp"' EXIT
failures=0
checks=0

fail() {
    echo "FAIL $*"
    failures=$((failures + 1))
}

if [ ! -f "$msi" ]; then
    echo "FAIL no $msi: build the target curvix-msi (it needs wixl)"
    exit 1
fi

# Every file and folder of the prefix's drive C:, and its registry once Wine
# has written the files (when its server ends), times left out. Left out
# too, as Wine or Windows Installer change them by themselves: the display
# adapter's driver date and time, which Wine's display driver writes at
# every start; and the folder windows\Installer and the empty keys that
# Windows Installer makes at its first installation in a prefix and keeps
# (on Windows they are there from the start). What lies in them counts.
snapshot() { # name
    timeout 60 wineserver -w
    (cd "$WINEPREFIX/drive_c" && find . | grep -vx './windows/Installer' | LC_ALL=C sort) \
        >"$tmp/$1.files"
    cat "$WINEPREFIX/system.reg" "$WINEPREFIX/user.reg" |
        sed -E '/^#time=/d; /^$/d; s/^(\[.*\]) [0-9]+$/\1/; /^"DriverDate(Data)?"=/d' |
        grep -vxE '\[Software\\\\Classes\\\\Installer\\\\(Features|Products|UpgradeCodes)\]' |
        grep -vxE '\[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Installer\\\\(UpgradeCodes|UserData\\\\S-1-5-18\\\\(Components|Products))\]' \
            >"$tmp/$1.registry"
}

# Keys go to the X window with the focus; without a window manager nobody
# else gives it.
focus() { # window title
    local window
    window=$(timeout 10 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1)
    [ -n "$window" ] && xdotool windowfocus --sync "$window"
}

# File > Exit by the menu's keys; the program started by `wine start /wait`
# ends with status 0.
exit_program() { # window-title start-pid
    checks=$((checks + 1))
    focus "$1"
    xdotool key alt+f
    sleep 0.5
    xdotool key x
    local status=0
    wait "$2" || status=$?
    [ "$status" = 0 ] || fail "File > Exit ended \"$1\" with status $status"
}

# The default value (NAME empty) or the value NAME of a registry key.
registry_value() { # key [name]
    local choice=(/ve)
    [ -n "${2:-}" ] && choice=(/v "$2")
    wine reg query "$1" "${choice[@]}" 2>/dev/null | tr -d '\r' | sed -n 's/^    .*    REG_SZ    //p'
}

# A fresh prefix, started once more: Wine rewrites some device keys of its
# own when it first starts on a new prefix.
wineboot -i >/dev/null 2>&1
timeout 60 wineserver -w
wine cmd /c exit
snapshot before

echo "== msiexec /i /qn"
checks=$((checks + 1))
status=0
wine msiexec /i "$(winepath -w "$msi")" /qn /l*v "$(winepath -w "$tmp/install.log")" || status=$?
if [ "$status" != 0 ]; then
    fail "msiexec /i ended with status $status"
    tail -n 30 "$tmp/install.log"
    exit 1
fi

folder="$WINEPREFIX/drive_c/Program Files/Curvix"
for program in curvix.exe curvix-eval.exe; do
    checks=$((checks + 1))
    cmp -s "$windows/installer/packed/$program" "$folder/$program" ||
        fail "$(basename "$program") is not installed in Program Files\\Curvix as packed"
done
exe='C:\Program Files\Curvix\curvix.exe'
checks=$((checks + 1))
shortcut=$(find "$WINEPREFIX/drive_c" -path '*/Start Menu/Programs/Curvix.lnk')
if [ -z "$shortcut" ] || ! grep -qaF "$exe" "$shortcut"; then
    fail "no Start-menu shortcut Curvix to $exe: '$shortcut'"
fi

# The document type for all users, as curvix.exe registers it, with the
# program's path in quotes.
while IFS='|' read -r key name value; do
    checks=$((checks + 1))
    actual=$(registry_value "HKLM\\Software\\Classes\\$key" "$name")
    [ "$actual" = "$value" ] || fail "HKLM\\Software\\Classes\\$key ${name:-(default)} is '$actual', not '$value'"
done <<EOF
Curvix.Document||Curvix Function
Curvix.Document\\DefaultIcon||$exe,1
Curvix.Document\\shell\\open\\command||"$exe" "%1"
Curvix.Document\\shell\\print\\command||"$exe" /p "%1"
Curvix.Document\\shell\\printto\\command||"$exe" /pt "%1" "%2" "%3" "%4"
.cvx||Curvix.Document
.cvx\\ShellNew|NullFile|
EOF
checks=$((checks + 1))
wine reg query 'HKCR\Curvix.Document\shell' /s 2>/dev/null | tr -d '\r' | grep -qi ddeexec &&
    fail "the document type has ddeexec keys"

echo "== A document opened from the shell"
"$write_document" "$tmp/plot.cvx" 'sin(36*x)*5' -10 10 0 0 0 10 10 0.1
wine start /wait /unix "$tmp/plot.cvx" &
curvix=$!
checks=$((checks + 1))
if wine "$probe" wait-title "plot.cvx - Curvix" 30000 >/dev/null; then
    exit_program "plot.cvx - Curvix" "$curvix"
else
    fail "opening plot.cvx from the shell shows no window \"plot.cvx - Curvix\" within 30 s"
    kill "$curvix" 2>/dev/null
fi
# The settings that the removal has to take away.
checks=$((checks + 1))
[ -n "$(registry_value 'HKCU\Software\Quenmark\Curvix\Recent File List' File1)" ] ||
    fail "curvix.exe left no recent-file list in HKCU\\Software\\Quenmark\\Curvix"

echo "== curvix.exe from the Start-menu shortcut"
wine start /wait /unix "$shortcut" &
curvix=$!
checks=$((checks + 1))
if wine "$probe" wait-title "Untitled - Curvix" 30000 >/dev/null; then
    read -r x y w h < <(wine "$probe" view | tr -d '\r')
    # The axes alone: curvix-render's picture of a curve wholly outside.
    "$render" --formula 1000 --size "${w}x$h" -o "$tmp/axes.png"
    checks=$((checks + 1))
    shown=
    for _ in $(seq 50); do
        if "$check" screen "$x" "$y" "$w" "$h" same "$tmp/axes.png" "$tmp/axes.shown.png" \
            >"$tmp/axes.diff" 2>&1; then
            shown=yes
            break
        fi
        sleep 0.1
    done
    [ -n "$shown" ] || fail "the view does not show curvix-render's picture: $(cat "$tmp/axes.diff")"
    exit_program "Untitled - Curvix" "$curvix"
else
    fail "the shortcut shows no window \"Untitled - Curvix\" within 30 s"
    kill "$curvix" 2>/dev/null
fi

# Wine keeps an ended program's process, and so its file, open for a few
# seconds more; the removal must not find curvix.exe in use.
timeout 60 wineserver -w
echo "== msiexec /x /qn"
checks=$((checks + 1))
status=0
wine msiexec /x "$(winepath -w "$msi")" /qn /l*v "$(winepath -w "$tmp/uninstall.log")" ||
    status=$?
if [ "$status" != 0 ]; then
    fail "msiexec /x ended with status $status"
    tail -n 30 "$tmp/uninstall.log"
fi
# Wine's own: its menu entries for shortcuts that are gone, which Windows
# does not have.
wine winemenubuilder -r
snapshot after
for kind in files registry; do
    checks=$((checks + 1))
    if ! diff "$tmp/before.$kind" "$tmp/after.$kind" >"$tmp/$kind.diff"; then
        fail "the removal leaves these $kind otherwise than before the installation (> added):"
        head -n 60 "$tmp/$kind.diff"
    fi
done

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]

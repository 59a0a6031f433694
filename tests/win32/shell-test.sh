#!/usr/bin/env bash
# curvix.exe and Windows' shell under Wine: the unregister switches take
# the registration and the settings away; a start writes the document
# type's keys again, exactly; the shell opens a document with Curvix by its
# association (wine start), and Save keeps the document's bytes; printing
# ends without a window; help and version are Linux's; without
# "Embedding" the unregister request says what it did in a message box.
#   shell-test.sh LINUX_BUILD WINDOWS_BUILD
# Needs DISPLAY, Wine with WINEPREFIX set, and xdotool.
set -u
linux=$1
windows=$2
curvix=$windows/app/curvix.exe
probe=$windows/tests/win32/curvix-window-probe.exe
write_document=$linux/tests/document/curvix-write-document
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
checks=0

fail() {
    echo "FAIL $*"
    failures=$((failures + 1))
}

# A key's default value (or the named one), as reg query shows it; empty
# when there is none.
value() { # key [name]
    local select=(/ve)
    [ $# -gt 1 ] && select=(/v "$2")
    wine reg query "$1" "${select[@]}" 2>/dev/null | tr -d '\r' |
        sed -n 's/^ *[^ ].*  *REG_SZ  *//p; s/^ *[^ ].*  *REG_SZ$//p' | head -n 1
}

has_key() { # key
    wine reg query "$1" >/dev/null 2>&1
}

# Runs curvix.exe with arguments; fails the check unless it ends by itself
# with status 0 within 30 s.
ends_by_itself() { # what argument...
    local what=$1 status=0
    shift
    checks=$((checks + 1))
    timeout 30 wine "$curvix" "$@" 2>"$tmp/stderr" || status=$?
    [ "$status" = 0 ] || fail "$what: curvix.exe $* ended with status $status $(cat "$tmp/stderr")"
}

unregistered() { # when
    checks=$((checks + 1))
    local key
    for key in 'HKCR\Curvix.Document' 'HKCR\.cvx' 'HKCU\Software\Quenmark'; do
        has_key "$key" && fail "$1: $key is still there"
    done
}

focus() { # window title
    local window
    window=$(timeout 10 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1)
    [ -n "$window" ] && xdotool windowfocus --sync "$window"
}

gone() { # window title: true once no window has it, within 10 s
    local _
    for _ in $(seq 100); do
        xdotool search --name "^$1\$" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    return 1
}

# The information switches answer as on Linux.
for switch in --help --version; do
    checks=$((checks + 1))
    [ "$(wine "$curvix" $switch | tr -d '\r')" = "$("$linux/app/curvix" $switch)" ] ||
        fail "curvix.exe $switch does not print what curvix $switch prints"
done

doc=$tmp/plot.cvx
"$write_document" "$doc" 'sin(36*x)*5' -10 10 0 0 0 10 10 0.1
cp "$doc" "$tmp/original.cvx"

ends_by_itself "unregistering quietly" /Unregister /Embedding
unregistered "after /Unregister /Embedding"

# Printing opens the document behind a hidden window and prints nothing;
# the start has registered the type again on its way.
ends_by_itself "printing" /p "$(winepath -w "$doc")"
ends_by_itself "printing to a printer" /pt "$(winepath -w "$doc")" Printer Driver Port
checks=$((checks + 1))
open_command=$(value 'HKCR\Curvix.Document\shell\open\command')
program=${open_command% \"%1\"}
case $program in
*' '* | '' | "$open_command") fail "the open command is '$open_command'" ;;
esac
[ "$(realpath "$(winepath -u "$program" 2>/dev/null)" 2>/dev/null)" = "$(realpath "$curvix")" ] ||
    fail "the open command's program $program is not $curvix"
expect() { # key name-or-"" expected
    if [ -n "$2" ]; then got=$(value "$1" "$2"); else got=$(value "$1"); fi
    [ "$got" = "$3" ] || fail "$1 ${2:-(default)} is '$got', not '$3'"
}
expect 'HKCR\Curvix.Document' "" "Curvix Function"
expect 'HKCR\Curvix.Document\DefaultIcon' "" "$program,1"
expect 'HKCR\Curvix.Document\shell\print\command' "" "$program /p \"%1\""
expect 'HKCR\Curvix.Document\shell\printto\command' "" "$program /pt \"%1\" \"%2\" \"%3\" \"%4\""
expect 'HKCR\.cvx' "" "Curvix.Document"
expect 'HKCR\.cvx\ShellNew' NullFile ""
has_key 'HKCR\.cvx\ShellNew' || fail "no HKCR\\.cvx\\ShellNew"
has_key 'HKCR\Curvix.Document\shell\open\ddeexec' && fail "a ddeexec key is there"

# The shell opens the document by its extension; Save writes it again, the
# same bytes.
checks=$((checks + 1))
wine start /unix "$doc"
if wine "$probe" wait-title "plot.cvx - Curvix" 30000 >/dev/null; then
    touch -d '2001-01-01' "$doc"
    focus "plot.cvx - Curvix"
    xdotool key ctrl+s
    for _ in $(seq 50); do
        [ "$(stat -c %Y "$doc")" != "$(date -d 2001-01-01 +%s)" ] && break
        sleep 0.1
    done
    [ "$(stat -c %Y "$doc")" != "$(date -d 2001-01-01 +%s)" ] || fail "Ctrl+S did not save"
    cmp -s "$doc" "$tmp/original.cvx" || fail "the saved document's bytes differ"
    focus "plot.cvx - Curvix"
    xdotool key alt+f
    sleep 0.5
    xdotool key x
    gone "plot.cvx - Curvix" || fail "File > Exit did not end the program the shell started"
    has_key 'HKCU\Software\Quenmark\Curvix\Recent File List' ||
        fail "the run left no recent-file list"
else
    fail "wine start on a .cvx document shows no window \"plot.cvx - Curvix\""
fi

# Without "Embedding" the request says what it did.
checks=$((checks + 1))
wine "$curvix" /unregister 2>/dev/null &
unregistering=$!
if message=$(wine "$probe" wait-dialog Curvix 30000); then
    message=${message%$'\r'}
    [ "$message" = "System registry entries have been removed and the INI file (if any) was deleted." ] ||
        fail "/unregister says '$message'"
    focus Curvix
    xdotool key Return
    status=0
    wait "$unregistering" || status=$?
    [ "$status" = 0 ] || fail "/unregister ended with status $status"
else
    fail "/unregister shows no message box"
    kill "$unregistering" 2>/dev/null
fi
unregistered "after /unregister"

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]

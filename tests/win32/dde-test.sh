#!/usr/bin/env bash
# The shell's DDE to curvix.exe under Wine, through a DDEML client (the
# window probe's dde-execute): a running program opens the document an
# execute names, and a second instance started with "/dde" gives way to it;
# a malformed execute is refused and opens nothing; a program started with
# "/dde" shows no window until an execute opens the document in a new one.
# Each program ends by closing its window, with status 0.
#   dde-test.sh LINUX_BUILD WINDOWS_BUILD
# Needs DISPLAY and Wine with WINEPREFIX set.
set -u
linux=$1
windows=$2
write_document=$linux/tests/document/curvix-write-document
probe=$windows/tests/win32/curvix-window-probe.exe
program=$windows/app/curvix.exe
tmp=$(mktemp -d)
curvix=
trap '[ -n "$curvix" ] && kill "$curvix" 2>/dev/null; rm -rf "$tmp"' EXIT
failures=0
checks=0

fail() {
    echo "FAIL $*"
    failures=$((failures + 1))
}

# A blank and a name outside every ANSI code page: the path arrives whole.
doc="$tmp/Kurve-曲线 plot.cvx"
refused=$tmp/refused.cvx
"$write_document" "$doc" 'sin(x)*3' -10 10 0 0 0 10 10 0.1
"$write_document" "$refused" 'x' -10 10 0 0 0 10 10 0.1
doc_path=$(winepath -w "$doc")
refused_path=$(winepath -w "$refused")
title="Kurve-曲线 plot.cvx - Curvix"

execute() { # expected-status what command
    checks=$((checks + 1))
    local status=0
    wine "$probe" dde-execute curvix system "$3" 10000 || status=$?
    [ "$status" = "$1" ] || fail "$2: dde-execute ended with status $status, not $1"
}

# The caption of the one shown frame is exactly $title.
shows_title() { # what milliseconds
    checks=$((checks + 1))
    local shown
    shown=$(wine "$probe" wait-title "$title" "$2" | tr -d '\r')
    [ "$shown" = "$title" ] || fail "$1: the window shows '$shown', not '$title'"
}

close() { # what
    checks=$((checks + 1))
    local status=0
    if ! wine "$probe" close "$title"; then
        fail "$1: no window '$title' to close"
        kill "$curvix"
    fi
    wait "$curvix" || status=$?
    curvix=
    [ "$status" = 0 ] || fail "$1: closing the window ended curvix.exe with status $status"
}

echo "-- an execute to the running program"
wine "$program" 2>"$tmp/running.err" &
curvix=$!
checks=$((checks + 1))
if ! wine "$probe" wait-title "Untitled - Curvix" 30000 >/dev/null; then
    fail "no window \"Untitled - Curvix\" within 30 s"
    exit 1
fi
execute 0 "open" "[open(\"$doc_path\")]"
shows_title "open" 10000
# While it listens, another instance cannot, and ends at once.
checks=$((checks + 1))
status=0
timeout 30 wine "$program" /dde 2>"$tmp/second.err" || status=$?
[ "$status" = 1 ] || fail "a second instance with /dde ended with status $status, not 1"
for command in "[open(\"$refused_path\")" "[print(\"$refused_path\")]" \
    "[open(\"$refused_path\")] [print(\"$refused_path\")]" "[open($refused_path)]"; do
    execute 1 "refusing $command" "$command"
done
shows_title "after the refusals" 0
close "the running program"
# Only the document opened went into the recent-file list (reg writes
# what its code page lacks as "?").
checks=$((checks + 1))
recent=$(wine reg query 'HKCU\Software\Quenmark\Curvix\Recent File List' 2>/dev/null | tr -d '\r')
case $recent in
*refused.cvx*) fail "a refused document was opened: $recent" ;;
*"File1    REG_SZ    Z:"*"\Kurve-"*" plot.cvx"*) ;;
*) fail "the recent-file list does not begin with the document: $recent" ;;
esac

echo "-- a program started for DDE"
wine "$program" /dde 2>"$tmp/dde.err" &
curvix=$!
checks=$((checks + 1))
wine "$probe" wait-dde curvix system 30000 || fail "curvix.exe /dde does not answer within 30 s"
checks=$((checks + 1))
if wine "$probe" wait-title "Curvix" 0 >/dev/null; then
    fail "curvix.exe /dde shows a window before any execute"
fi
execute 0 "open after /dde" "[OPEN(\"$doc_path\")]"
shows_title "open after /dde" 10000
close "the program started for DDE"

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]

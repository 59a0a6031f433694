#!/usr/bin/env bash
# Runs a Windows program under Wine in a fresh prefix of its own whose
# display has DPI dots per inch. The system's scaling of programs unaware
# of the scale is switched on (DpiScalingVer): only then does Wine 8 read
# a program's awareness from its manifest rather than take every program
# as aware.
#   at-dpi.sh DPI PROGRAM [ARGUMENT...]
# Needs DISPLAY. The status is the program's.
set -u
dpi=$1
shift
work=$(mktemp -d)
export WINEPREFIX=$work/wine WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='
trap 'wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
wineboot -i >/dev/null 2>&1
desktop='HKCU\Control Panel\Desktop'
wine reg add "$desktop" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
wine reg add "$desktop" /v DpiScalingVer /t REG_DWORD /d 0x1000 /f >/dev/null 2>&1
# A fresh start of the prefix's processes, which read the values as they
# start.
wineserver -k
status=0
wine "$@" || status=$?
exit $status

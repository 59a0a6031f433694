#!/usr/bin/env bash
# The program for Windows: cross-built with MinGW-w64, its tests run under
# Wine on an X server of its own, curvix-eval.exe compared byte for byte with
# the Linux curvix-eval on formulas, sampling runs and documents, and
# curvix.exe's window on screen compared pixel for pixel with curvix-render,
# also at 200 %, its life with the shell (registration, DDE open requests),
# and its installer (the MSI installed, used and removed in a Wine prefix of
# its own).
#   bash scripts/test-windows.sh [LINUX_BUILD]
# LINUX_BUILD (default build, configured here when it is new) gets the
# Linux programs the comparisons need built.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${JOBS:-2}
linux=${1:-build}
windows=${WINDOWS_BUILD:-build-windows}

cmake -S . -B "$windows" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCURVIX_BUILD_TESTS=ON -DCURVIX_WERROR=ON >/dev/null
cmake --build "$windows" -j "$jobs" --target all curvix-msi
# A Linux build folder given is built as it is configured; only a new one
# is configured.
if [ ! -f "$linux/CMakeCache.txt" ]; then
    cmake -S . -B "$linux" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCURVIX_BUILD_TESTS=ON \
        -DCURVIX_WERROR=ON >/dev/null
fi
cmake --build "$linux" -j "$jobs" --target curvix curvix-eval curvix-write-document \
    curvix-decimal-point curvix-render curvix-image-check

work=$(mktemp -d)
# A prefix of its own, no downloads of Mono or Gecko, and an X server of its
# own: Wine's windows and OpenGL (Mesa's llvmpipe, as curvix-render's) are
# drawn there.
export WINEPREFIX=$work/wine WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='
export LIBGL_ALWAYS_SOFTWARE=1
unset WAYLAND_DISPLAY
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" \
    >/dev/null 2>&1 &
xvfb=$!
trap 'wineserver -k 2>/dev/null || true; kill "$xvfb" 2>/dev/null || true; rm -rf "$work"' EXIT
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
export DISPLAY=:$(cat "$work/display")
wineboot -i >/dev/null 2>&1

echo "== Unit tests under Wine"
ctest --test-dir "$windows" --output-on-failure -j "$jobs" --timeout 600 |
    tee "$windows/ctest-output.txt"
bash scripts/skipped-tests.sh "$windows/ctest-output.txt" "$windows"

echo "== curvix-eval.exe against curvix-eval"
linux_eval=$(realpath "$linux/tools/curvix-eval/curvix-eval")
windows_eval=$(realpath "$windows/tools/curvix-eval/curvix-eval.exe")
failures=0
checks=0

same() { # name input-file argument...
    local name=$1 input=$2 linux_status=0 windows_status=0
    shift 2
    checks=$((checks + 1))
    "$linux_eval" "$@" <"$input" >"$work/linux.out" 2>"$work/linux.err" || linux_status=$?
    wine "$windows_eval" "$@" <"$input" >"$work/windows.out" 2>"$work/windows.err" ||
        windows_status=$?
    if ! cmp -s "$work/linux.out" "$work/windows.out" ||
        ! cmp -s "$work/linux.err" "$work/windows.err" ||
        [ "$linux_status" != "$windows_status" ]; then
        echo "FAIL $name (status $linux_status on Linux, $windows_status on Windows)"
        diff <(od -c "$work/linux.out") <(od -c "$work/windows.out") | head -n 10 || true
        diff "$work/linux.err" "$work/windows.err" | head -n 10 || true
        failures=$((failures + 1))
    fi
}

# The engine's test formulas: the fuzzing seeds, every string of the known
# results and evaluator tests, and numbers of many sizes through the
# functions. (Whole powers beyond 2^53 are left out: for about one whole
# power in 1,350 glibc's pow is the neighbouring double of the correctly
# rounded one, which Windows' gives; six decimals show that from 2^34 up.)
formulas=$work/formulas.txt
cat tests/fuzz/corpus/evaluate/* >"$formulas"
printf '\n' >>"$formulas"
grep -oh '"[^"\\]*"' tests/engine/KnownResultsTest.cpp tests/engine/EvaluatorTest.cpp |
    sed 's/^"//; s/"$//' >>"$formulas"
awk 'BEGIN {
    for (i = 1; i <= 400; ++i) {
        print i "/7"; print "-" i "^3/13"; print "sqrt(" i ")*" i / 1000
        print "sin(" i ")+cos(" i "/3)"; print "tan(" i * 0.45 ")"; print "|" i "-200|/3"
        print "rad=1"; print "sin(" i / 100 ")"; print "rad=0"
        print "a=" i "/9"; print "a*a-" i; print (i % 12) "^" (i % 15) "/7^" (i % 9)
        print i / 3 "^(" (i % 40) / 7 ")"; print "asin(" (i - 200) / 201 ")*1000"
    }
}' >>"$formulas"
same "formulas from standard input" "$formulas"
printf 'a=2\r\n3a+1\r\n1/0\r\n\r\nsin(30)\r\n' >"$work/crlf.txt"
same "formulas with CR LF line ends" "$work/crlf.txt"
# Wine 8 takes a process's Windows locale from LC_ALL (or LC_CTYPE, LC_MESSAGES,
# LANG; LC_NUMERIC alone does nothing), and the C library's setlocale(LC_ALL, "")
# in curvix-eval follows it: "%.1f" of 0.5 must then write a comma on both
# sides, and a point in the C locale, or the German row proves nothing.
checks=$((checks + 1))
point() { # LC_ALL program...: what "%.1f" makes of 0.5 there, line end dropped
    LC_ALL=$1 "${@:2}" 2>&1 | tr -d '\r' || true
}
probe=$linux/tests/engine/curvix-decimal-point
german_linux=$(point de_DE.UTF-8 "$probe")
c_linux=$(point C "$probe")
german_windows=$(point de_DE.UTF-8 wine "$windows/tests/engine/curvix-decimal-point.exe")
c_windows=$(point C wine "$windows/tests/engine/curvix-decimal-point.exe")
if [ "$german_linux $german_windows $c_linux $c_windows" != "0,5 0,5 0.5 0.5" ]; then
    echo "FAIL the German locale does not take: 0.5 prints as '$german_linux' on Linux and" \
        "'$german_windows' on Windows under LC_ALL=de_DE.UTF-8 ('$c_linux', '$c_windows' under C)"
    failures=$((failures + 1))
fi
LC_ALL=de_DE.UTF-8 same "formulas under a German locale" "$formulas"
same "formulas as arguments" /dev/null -- 'a=2' '3a+1' '-3' 'foo(2)' '10^400' 'sqrt(-1)'
same "help" /dev/null --help

# Sampling runs, the refused ones among them.
samples=$work/samples.txt
printf '%s\n' '-10 10 0.1 x' '-10 10 0.01 sin(x)*x^2+3*x' '0 100 0.37 sqrt(x)/3' \
    '-5 5 0.001 x^3-2x' '0 1 0.5 a=a+1' '0 1 0.5 a=a+1' '1 -1 1 x' '3 3 1 x^2' \
    '0 1 nan x' '-inf inf 1 x' '0 1 0 x' '1e8 100000008 1 x' '0 19999 1 x' 'abc' \
    '-360 360 0.25 rad=0 tan(x)' >"$samples"
same "sampling runs" "$samples" --sample

# Documents: the fuzzing seeds read on both sides, and a document written
# on each side read on the other.
for document in tests/fuzz/corpus/cvx/*; do
    same "open $(basename "$document")" /dev/null --open "$document"
done
numbers=(-7.5 12.25 30 -0 60 5 6 0.125)
"$linux/tests/document/curvix-write-document" "$work/linux.cvx" 'sin(x)*x^2' "${numbers[@]}"
wine "$windows/tests/document/curvix-write-document.exe" "$work/windows.cvx" 'sin(x)*x^2' \
    "${numbers[@]}"
checks=$((checks + 1))
if ! cmp "$work/linux.cvx" "$work/windows.cvx"; then
    echo "FAIL a document written on Windows differs from Linux's"
    failures=$((failures + 1))
fi
same "open a document written on Linux" /dev/null --open "$work/linux.cvx"
same "open a document written on Windows" /dev/null --open "$work/windows.cvx"
# A name outside every ANSI code page, opened and missing; relative, so that
# the message names it alike on both sides.
cp "$work/linux.cvx" "$work/Kurve-曲线.cvx"
cd "$work"
same "open a wide-character name" /dev/null --open "Kurve-曲线.cvx"
same "a missing wide-character name" /dev/null --open "Kurve-曲线-none.cvx"
cd - >/dev/null

echo "== The programs import only Windows' own DLLs"
for program in "$windows/app/curvix.exe" "$windows/tools/curvix-eval/curvix-eval.exe"; do
    checks=$((checks + 1))
    dlls=$(x86_64-w64-mingw32-objdump -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p' |
        tr 'A-Z' 'a-z')
    foreign=$(printf '%s\n' $dlls |
        grep -vxE '(advapi32|comctl32|comdlg32|gdi32|kernel32|msvcrt|ole32|oleacc|oleaut32|opengl32|shell32|user32)\.dll' ||
        true)
    if [ -n "$foreign" ]; then
        echo "FAIL $(basename "$program") needs $(echo $foreign)"
        failures=$((failures + 1))
    fi
done

echo "== The view through WGL against curvix-render"
checks=$((checks + 1))
if ! bash tests/win32/compare-wgl-render.sh "$linux" "$windows/tests/win32/curvix-render-wgl.exe"; then
    failures=$((failures + 1))
fi

echo "== curvix.exe on screen"
# What the screen showed stays in the build folder, to be looked at.
bash tests/win32/screenshot-test.sh "$linux" "$windows" "$windows/screenshots" ||
    failures=$((failures + 1))
checks=$((checks + 1))

echo "== curvix.exe at 200 %"
bash tests/win32/scale-test.sh "$linux" "$windows" || failures=$((failures + 1))
checks=$((checks + 1))

echo "== curvix.exe and the shell: registration, wine start, unregistering"
bash tests/win32/shell-test.sh "$linux" "$windows" || failures=$((failures + 1))
checks=$((checks + 1))

echo "== DDE open requests to curvix.exe"
bash tests/win32/dde-test.sh "$linux" "$windows" || failures=$((failures + 1))
checks=$((checks + 1))

echo "== The installer: msiexec /i /qn, the installed program, msiexec /x /qn"
bash tests/win32/installer-test.sh "$linux" "$windows" || failures=$((failures + 1))
checks=$((checks + 1))

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]

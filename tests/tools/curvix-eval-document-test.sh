#!/usr/bin/env bash
# curvix-eval --sample and --open as scripts use them.
set -u
tool=$1
failures=0
checks=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

check() { # name expected actual
    checks=$((checks + 1))
    if [ "$2" != "$3" ]; then
        printf 'FAIL %s\n--- expected\n%s\n--- actual\n%s\n' "$1" "$2" "$3"
        failures=$((failures + 1))
    fi
}

# --sample
out=$(printf -- '-10 10 0.1 x\n' | "$tool" --sample 2>&1)
check "default run: lines" 200 "$(printf '%s\n' "$out" | wc -l)" # trailing empty line cut by $()
check "default run: first" "-10 -10" "$(printf '%s\n' "$out" | sed -n 1p)"
check "default run: near 0" "1.8626451e-06 2e-06" "$(printf '%s\n' "$out" | sed -n 101p)"
check "default run: last" "9.900003 9.900003" "$(printf '%s\n' "$out" | sed -n 200p)"

input=$'0 1 0.5 a=a+1\n0 1 0.5 a=a+1\r\n1 -1 1 x\n3 3 1 x^2\n0 0 1\n0 0 1  X\n-3 -3 1 2x'
expected=$'Error: Variable \'a\' is undeclared. It is used as 0.0 .\n0 1\n0.5 2\n1 3\n\n0 4\n0.5 5\n1 6\n\n\n3 9\n\n0 0\n\n'
expected+=$'Error: Variable \'x\' is undeclared. It is used as 0.0 .\n0 0\n\n-3 -1'
check "runs share one engine" "$expected" "$(printf '%s\n' "$input" | "$tool" --sample 2>&1)"

input=$'0 1 nan x\n-inf inf 1 x\n0 1 0 x\n-1e6 1e6 0.1 x\n1e8 100000008 1 x'
out=$(printf '%s\n' "$input" | "$tool" --sample 2>/dev/null)
check "refused runs print empty curves" $'\n\n\n\n1e+08 1e+08' "$out"
err=$(printf '%s\n' "$input" | "$tool" --sample 2>&1 >/dev/null)
check "refused runs report once each" 5 "$(printf '%s\n' "$err" | grep -c '^Error: Cannot sample the curve: ')"

# Output past one block, then a run after it.
out=$(printf '0 19999 1 x\n5 5 1 x\n' | "$tool" --sample 2>&1)
check "long run: lines" "20002 19999 19999 5 5" \
    "$(printf '%s\n' "$out" | wc -l) $(printf '%s\n' "$out" | sed -n '20000p;20002p' | tr '\n' ' ' | sed 's/ $//')"
printf '0 99 1 x\n' | "$tool" --sample >/dev/full 2>/dev/null
check "failed write status" 1 $?

printf 'abc\n1 2\n1 2 x3 x\n' | "$tool" --sample >/dev/null 2>"$work/err"
check "unreadable line status" 1 $?
check "unreadable line reports" 3 "$(grep -c 'expected XMIN XMAX STEP FORMULA' "$work/err")"

# --open
printf '\x03\x00\x00\x00x^2\x00\x00\x00\x80\xbf\x00\x00\x80\x3f\x00\x00\xf0\x41\x00\x00\x00\x80\x00\x00\x70\x42\x00\x00\xa0\x40\x00\x00\xc0\x40\x00\x00\x00\x3f' >"$work/x2.cvx"
check "open" $'x^2\n-1 1 30 -0 60 5 6 0.5' "$("$tool" --open "$work/x2.cvx" 2>&1)"
: >"$work/empty.cvx"
check "open zero bytes" $'\n-10 10 0 0 0 10 10 0.1' "$("$tool" --open "$work/empty.cvx" 2>&1)"
head -c 20 "$work/x2.cvx" >"$work/short.cvx"
check "open truncated" "$work/short.cvx: Unexpected file format." "$("$tool" --open "$work/short.cvx" 2>&1)"
"$tool" --open "$work/short.cvx" >/dev/null 2>&1
check "open truncated status" 1 $?
check "open missing" "$work/none.cvx was not found." "$("$tool" --open "$work/none.cvx" 2>&1)"

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]

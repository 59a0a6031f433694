#!/usr/bin/env bash
# curvix-eval as scripts use it: standard input, arguments, reports
# interleaved with results, and the same output under a comma locale.
set -u
tool=$1
failures=0

check() { # name expected actual
    if [ "$2" != "$3" ]; then
        printf 'FAIL %s\n--- expected\n%s\n--- actual\n%s\n' "$1" "$2" "$3"
        failures=$((failures + 1))
    fi
}

input=$'a=2\r\n3a+1\n1/0\n\nsin(30)\n2*sin(-30)\n1+sin(-30)\ntan(90)'
expected=$'2\n7\nError: Divide by zero!\n0\n0\n0.5\n-0\n-0.484809\n753695.995141'
check "standard input" "$expected" "$(printf '%s' "$input" | "$tool" 2>&1)"
if locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    check "de_DE locale" "$expected" "$(printf '%s' "$input" | LC_ALL=de_DE.UTF-8 "$tool" 2>&1)"
elif [ "${CI:-}" = true ]; then
    echo "FAIL de_DE.UTF-8 locale is missing"; failures=$((failures + 1))
fi

check "arguments" $'2\n7\n-3' "$("$tool" -- 'a=2' '3a+1' '-3' 2>&1)"
check "argument with a line break" $'12' "$("$tool" -- $'12\n3' 2>&1)"
check "stderr kept apart" "0" "$("$tool" -- 'foo(2)' 2>/dev/null)"
check "undefined function report" "Error: Undefined function 'foo()'. Returns 0.0 ." \
    "$("$tool" -- 'foo(2)' 2>&1 >/dev/null)"
# A mistaken command line: its first line of error output and status 2.
mistakes=(
    "--bogus|curvix-eval: unknown option '--bogus'"
    "--open|curvix-eval: option --open needs a value"
)
for mistake in "${mistakes[@]}"; do
    said=$("$tool" "${mistake%%|*}" 2>&1 >/dev/null)
    check "${mistake%%|*} status and message" "2 ${mistake#*|}" "$? $(head -n 1 <<<"$said")"
done

echo "$((6 + ${#mistakes[@]} - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]

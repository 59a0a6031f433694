#!/usr/bin/env bash
# Every manual page PAGE.1 given renders without a warning from man or
# groff, and no words run together: a prose alternating-font macro (.BR,
# .IR...) joins its arguments without a space, so one whose argument ends
# a word and whose next argument starts one glues them (.BI and .IB write
# option syntax such as WIDTHxHEIGHT, joined on purpose), and so does a
# closing bracket followed by a letter in the rendered text.
set -u
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for page in "$@"; do
    name=$(basename "$page")
    said=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 "$page" 2>&1 >/dev/null)
    [ -z "$said" ] || fail "man --warnings $name: $said"
    said=$(groff -ww -man -Tutf8 -z "$page" 2>&1)
    [ -z "$said" ] || fail "groff -ww $name: $said"
    while IFS= read -r line; do
        mapfile -t arguments < <(xargs printf '%s\n' <<<"${line#*:.?? }")
        for ((i = 1; i < ${#arguments[@]}; i++)); do
            if [[ ${arguments[i - 1]} =~ [[:alnum:]\)]$ && ${arguments[i]} =~ ^[[:alnum:]] ]]; then
                fail "$name: arguments run together: $line"
                break
            fi
        done
    done < <(grep -nE '^\.(BR|RB|IR|RI)[[:space:]]' "$page")
    while IFS= read -r line; do
        fail "$name: rendered words run together: $line"
    done < <(MANWIDTH=200 man -l "$page" 2>/dev/null | grep -nE '[])][[:alpha:]]')
done
[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "manual pages render clean: $#"

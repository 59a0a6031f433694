#!/usr/bin/env bash
# Runs every fuzz target of a CURVIX_FUZZ build for a share of the given
# seconds, starting from its seed corpus. Fails on any crash, hang,
# sanitizer report or leak.
set -euo pipefail
build=$1
total=${2:-60}
list="$build/tests/fuzz/fuzz-targets.txt"
count=$(grep -c . "$list")
share=$(( total / count > 5 ? total / count : 5 ))
status=0
while read -r target seeds; do
    work=$(mktemp -d)
    echo "fuzzing $target for ${share}s"
    if ! "$build/tests/fuzz/$target" -max_total_time="$share" -timeout=10 -rss_limit_mb=2048 \
            -print_final_stats=1 -artifact_prefix="$work/" "$work" "$seeds" >"$work/log" 2>&1; then
        echo "FAIL $target"; tail -n 60 "$work/log"; status=1
        ls "$work"/crash-* "$work"/timeout-* "$work"/leak-* 2>/dev/null || true
    else
        grep -E 'stat::number_of_executed_units|Done' "$work/log" | tail -n 2
    fi
    rm -rf "$work"
done <"$list"
exit $status

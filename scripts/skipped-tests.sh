#!/usr/bin/env bash
# Lists the tests a ctest run skipped, each with the reason it printed, and
# under CI=true fails on any that is not an optional piece allowed below.
#   skipped-tests.sh CTEST_OUTPUT BUILD_DIR
# CTEST_OUTPUT is what ctest printed; BUILD_DIR holds its Testing/ log.
set -euo pipefail
output=$1
log=$2/Testing/Temporary/LastTest.log

# Tests that may skip in CI because they need a piece that is optional on
# the machine. Debian 12 has every piece the tests use, so none is needed.
allowed=()

mapfile -t skipped < <(sed -n 's/^[[:space:]]*[0-9]\+ - \(.*\) (Skipped)$/\1/p' "$output")
if [ ${#skipped[@]} -eq 0 ]; then
    echo "Skipped tests: none"
    exit 0
fi
echo "Skipped tests: ${#skipped[@]}"
refused=0
for name in "${skipped[@]}"; do
    echo "  $name"
    # The reason: GoogleTest's line after "file:line: Skipped", or a line a
    # script or test program begins with "skipped:" or "SKIPPED:".
    [ -f "$log" ] && awk -v name="$name" '
        /^[0-9]+\/[0-9]+ Testing: / { sub(/^[0-9]+\/[0-9]+ Testing: /, ""); mine = ($0 == name); next }
        !mine { next }
        reason { print "    " $0; reason = 0; next }
        /: Skipped$/ { reason = 1; next }
        /^(skipped|SKIPPED): / { print "    " $0 }
    ' "$log"
    ok=false
    for pattern in "${allowed[@]}"; do
        # shellcheck disable=SC2053 # the allow-list holds glob patterns
        [[ $name == $pattern ]] && ok=true
    done
    $ok || refused=$((refused + 1))
done
if [ "${CI:-}" = true ] && [ "$refused" -gt 0 ]; then
    echo "FAIL: $refused skipped test(s) in CI; CI installs everything the tests need"
    exit 1
fi

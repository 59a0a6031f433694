#!/usr/bin/env bash
# cpack builds curvix_1.0.0.1_<arch>.deb; its control data and contents are
# checked, it is unpacked into a temporary root (never installed), and
# lintian checks it as the distribution would.
set -euo pipefail
build=$1
kind=${2:-plain} # "sanitized": a test build nobody ships, which lintian would rightly reject
. "$(dirname "$0")/check-tree.sh"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

(cd "$build" && cpack -G DEB -B "$tmp/out") >"$tmp/cpack.log" 2>&1 || { cat "$tmp/cpack.log"; exit 1; }
deb=$tmp/out/curvix_1.0.0.1_$(dpkg --print-architecture).deb
[ -f "$deb" ] || { echo "FAIL: no $deb"; ls "$tmp/out"; exit 1; }

dpkg-deb -I "$deb"
field() { dpkg-deb -f "$deb" "$1"; }
expect() {
    [ "$(field "$1")" = "$2" ] || { echo "FAIL: $1 is '$(field "$1")', expected '$2'"; exit 1; }
}
expect Package curvix
expect Version 1.0.0.1
expect Maintainer "Curvix developers <curvix@quenmark.org>"
expect Section science
depends=$(field Depends)
for dependency in libc6 libstdc++6 libqt6widgets6 libpng16-16 libcairo2; do
    grep -q "\b$dependency\b" <<<"$depends" || { echo "FAIL: Depends lacks $dependency"; exit 1; }
done

listing=$(dpkg-deb -c "$deb")
grep -q ' \./usr/bin/curvix$' <<<"$listing" || { echo "FAIL: no /usr/bin/curvix"; exit 1; }
[ "$(field Description | wc -l)" -gt 5 ] || { echo "FAIL: no extended description"; exit 1; }
dpkg -x "$deb" "$tmp/root"
check_tree "$tmp/root/usr"

# What a distribution's archive checks: no error and no warning.
if [ "$kind" = sanitized ]; then
    echo "lintian skipped: sanitizer build"
elif command -v lintian >/dev/null; then
    lintian --fail-on error,warning --tag-display-limit 0 "$deb" || { echo "FAIL: lintian"; exit 1; }
else
    echo "FAIL: lintian is not installed (see scripts/packages-test.txt)"; exit 1
fi
echo "deb test passed"

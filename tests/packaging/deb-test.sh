#!/usr/bin/env bash
# cpack builds curvix-tools_1.0.0.1_<arch>.deb (the command-line tools) and
# curvix_1.0.0.1_<arch>.deb (the program, depending on the tools); their
# control data and contents are checked, both are unpacked into one
# temporary root (never installed), and lintian checks them as the
# distribution would.
set -euo pipefail
build=$1
kind=${2:-plain} # "sanitized": a test build nobody ships, which lintian would rightly reject
. "$(dirname "$0")/check-tree.sh"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

(cd "$build" && cpack -G DEB -B "$tmp/out") >"$tmp/cpack.log" 2>&1 || { cat "$tmp/cpack.log"; exit 1; }
arch=$(dpkg --print-architecture)

# package | libraries Depends must name | a Depends word that must not occur | a file it holds
packages=(
    "curvix-tools|libc6 libstdc++6 libpng16-16 libcairo2 libegl1 libegl-mesa0 libgl1-mesa-dri|qt|./usr/bin/curvix-render"
    "curvix|libc6 libstdc++6 libqt6widgets6 curvix-tools|-|./usr/bin/curvix"
)
for row in "${packages[@]}"; do
    IFS='|' read -r package needed banned file <<<"$row"
    deb=$tmp/out/${package}_1.0.0.1_$arch.deb
    [ -f "$deb" ] || { echo "FAIL: no $deb"; ls "$tmp/out"; exit 1; }
    dpkg-deb -I "$deb"
    field() { dpkg-deb -f "$deb" "$1"; }
    for pair in "Package=$package" "Version=1.0.0.1" "Section=science" \
        "Maintainer=Curvix developers <curvix@quenmark.org>"; do
        [ "$(field "${pair%%=*}")" = "${pair#*=}" ] \
            || { echo "FAIL: $package: ${pair%%=*} is '$(field "${pair%%=*}")', expected '${pair#*=}'"; exit 1; }
    done
    depends=$(field Depends)
    names=$(tr ',|' '\n\n' <<<"$depends" | awk '{print $1}')
    for dependency in $needed; do
        grep -qxF "$dependency" <<<"$names" \
            || { echo "FAIL: $package: Depends lacks $dependency: $depends"; exit 1; }
    done
    if [ "$banned" != - ] && grep -qi "$banned" <<<"$depends"; then
        echo "FAIL: $package: Depends names $banned: $depends"; exit 1
    fi
    grep -q " ${file//./\\.}\$" <<<"$(dpkg-deb -c "$deb")" || { echo "FAIL: $package lacks $file"; exit 1; }
    [ "$(field Description | wc -l)" -gt 5 ] || { echo "FAIL: $package: no extended description"; exit 1; }
    grep -q 'PNG, SVG and PDF' <<<"$(field Description | tr -s ' \n' '  ')" \
        || { echo "FAIL: $package: the description does not name PNG, SVG and PDF"; exit 1; }
    dpkg -x "$deb" "$tmp/root"
done
grep -q '^curvix-tools (= 1.0.0.1)' <<<"$(dpkg-deb -f "$tmp/out/curvix_1.0.0.1_$arch.deb" Depends)" \
    || { echo "FAIL: curvix does not depend on curvix-tools of its version first"; exit 1; }
check_tree "$tmp/root/usr"

# What a distribution's archive checks: no error and no warning, and no
# hardening tag, which lintian shows among its informational ones.
if [ "$kind" = sanitized ]; then
    echo "lintian skipped: sanitizer build"
elif command -v lintian >/dev/null; then
    for deb in "$tmp"/out/*.deb; do
        lintian --fail-on error,warning --tag-display-limit 0 "$deb" || { echo "FAIL: lintian"; exit 1; }
        said=$(lintian -I --tag-display-limit 0 "$deb" | grep 'hardening-' || true)
        [ -z "$said" ] || { echo "FAIL: lintian: $said"; exit 1; }
    done
else
    echo "FAIL: lintian is not installed (see scripts/packages-test.txt)"; exit 1
fi
echo "deb test passed"

#!/usr/bin/env bash
# cmake --install BUILD into a temporary prefix puts exactly the program,
# the tools and the desktop files there.
set -euo pipefail
build=$1
. "$(dirname "$0")/check-tree.sh"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

cmake --install "$build" --prefix "$tmp/prefix" >"$tmp/install.log" || { cat "$tmp/install.log"; exit 1; }
check_tree "$tmp/prefix"
echo "install test passed"

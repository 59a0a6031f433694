#!/usr/bin/env bash
# Installs what building and running need (no test tools), builds the
# programs into build/ (the folder the README's examples use) and starts
# Curvix. Without a display it draws an example plot into a PNG file with
# curvix-render instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build=build
# A build folder test.sh made keeps its settings (tests included); only the
# programs are built here.
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCURVIX_BUILD_TESTS=OFF \
        -DCURVIX_BUILD_BENCH=OFF -DCURVIX_WERROR=ON >/dev/null
fi
cmake --build "$build" -j "${JOBS:-2}" --target curvix curvix-eval curvix-render
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    out="${TMPDIR:-/tmp}/curvix-example.png"
    formula='sin(36*x)*5'
    echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): Curvix cannot open its window."
    echo "Drawing the example formula '$formula' with curvix-render instead."
    "$build"/tools/curvix-render/curvix-render --formula "$formula" -o "$out"
    echo "$out"
    exit 0
fi
exec "$build"/app/curvix "$@"

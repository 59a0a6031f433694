#!/usr/bin/env bash
# Installs what building and running need (no test tools), builds Curvix
# and starts it. Without a display it draws an example plot into a PNG file
# with curvix-render instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
# A folder of its own, so that the test script's build keeps its tests.
build=build-run
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCURVIX_BUILD_TESTS=OFF -DCURVIX_BUILD_BENCH=OFF \
    -DCURVIX_WERROR=ON >/dev/null
cmake --build "$build" -j "${JOBS:-2}"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    out="${TMPDIR:-/tmp}/curvix-example.png"
    echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): Curvix cannot open its window."
    echo "Drawing the example formula 'sin(x)*5' with curvix-render instead."
    "$build"/tools/curvix-render/curvix-render --formula 'sin(x)*5' -o "$out"
    echo "$out"
    exit 0
fi
exec "$build"/app/curvix "$@"

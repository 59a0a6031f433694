#!/usr/bin/env bash
# Installs what is missing, builds Curvix and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCURVIX_BUILD_TESTS=OFF -DCURVIX_BUILD_BENCH=OFF >/dev/null
cmake --build build -j "${JOBS:-2}"
echo "Type a formula per line (x is not special here; Ctrl+D ends):"
exec build/tools/curvix-eval/curvix-eval

#!/usr/bin/env bash
# Builds everything and runs every test (offscreen, each in its own temporary home).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh
cd build
export QT_QPA_PLATFORM=offscreen
ctest --output-on-failure -j"$(nproc)"

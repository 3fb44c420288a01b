#!/usr/bin/env bash
# Builds Kovaline and starts it; the first start creates its own database.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh >/dev/null
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "Kovaline are nevoie de un ecran grafic: nu este setat DISPLAY (sau WAYLAND_DISPLAY)." >&2
    exit 2
fi
exec ./build/app/kovaline

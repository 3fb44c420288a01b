#!/usr/bin/env bash
# Builds everything and runs every test (offscreen, each in its own temporary home). The tests
# registered for the server backend ("pg.") run on a private PostgreSQL server started for the
# run and stopped at its end, also when a test fails.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh
root="$PWD"
trap '"$root/scripts/pgserver.sh" stop' EXIT
trap 'exit 130' INT TERM
KOVALINE_TEST_PG="$(./scripts/pgserver.sh start)"
export KOVALINE_TEST_PG
cd build
export QT_QPA_PLATFORM=offscreen
ctest --output-on-failure -j"$(nproc)"

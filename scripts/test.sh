#!/usr/bin/env bash
# Installs what is missing, builds everything, and runs every test (unit tests, headless
# window tests and the fuzz smoke runs).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j "$(nproc)" "$@"

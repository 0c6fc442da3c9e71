#!/usr/bin/env bash
# Builds the benchmarks in Release mode and runs them all.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DETIKOR_BUILD_TESTS=OFF
cmake --build build-release
for program in build-release/bin/bench_*; do
  echo "== $(basename "$program")"
  "$program" "$@"
done

#!/usr/bin/env bash
# Builds the core test programs with the address and undefined-behaviour sanitizers and runs
# them (the table store's memory-safety tests mean most under the sanitizer).
# Usage: scripts/sanitize.sh [ctest regex, default: tablestore and data tests]
set -euo pipefail
cd "$(dirname "$0")/.."
regex=${1:-'^(StoreTable|StoreShared|StoreSearch|StoreCopy|StoreFormat|StoreFile|StoreKeys|StoreCursor|StoreCollation|UniqueCode|DataSet|Field|Cp1250|DateTime|FormatSettings)'}
flags="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
if [[ ! -f build-asan/build.ninja ]]; then
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DETIKOR_BUILD_GUI=OFF \
    -DETIKOR_BUILD_BENCHMARKS=OFF -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags"
fi
cmake --build build-asan --target tablestore_tests data_tests
ASAN_OPTIONS=detect_leaks=1 QT_QPA_PLATFORM=offscreen ctest --test-dir build-asan -R "$regex" --output-on-failure -j2

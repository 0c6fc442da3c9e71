#!/usr/bin/env bash
# Builds the program and every test with AddressSanitizer and UndefinedBehaviorSanitizer (leak
# checking on) in build-asan/ and runs the whole test suite there, fuzz smoke runs included.
# Any sanitizer report fails its test. Extra arguments go to ctest (e.g. -R barcode).
# Usage: scripts/sanitize.sh [ctest arguments]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
if [[ ! -f build-asan/build.ninja ]]; then
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DETIKOR_BUILD_BENCHMARKS=OFF \
    -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_C_FLAGS="$flags" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
    -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=address,undefined"
fi
cmake --build build-asan
export QT_QPA_PLATFORM=offscreen
# Leaks of the system libraries the program loads (font configuration, Qt's plugins) are not
# ours to fix: scripts/sanitize.supp names them. Everything else is reported.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/scripts/sanitize.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
ctest --test-dir build-asan --output-on-failure -j "$(nproc)" "$@"

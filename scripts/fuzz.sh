#!/usr/bin/env bash
# Long libFuzzer sessions with clang, address and undefined-behaviour sanitizers.
# Usage: scripts/fuzz.sh [seconds per target, default 300]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-300}
scripts/deps.sh
command -v clang++-14 >/dev/null || { sudo_cmd=(); [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo); "${sudo_cmd[@]}" apt-get install -y -qq clang-14 libclang-rt-14-dev; }
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DETIKOR_FUZZ=ON \
  -DETIKOR_BUILD_GUI=OFF -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14
cmake --build build-fuzz
for target in build-fuzz/bin/fuzz_*; do
  name=$(basename "$target")
  corpus=build-fuzz/corpus/$name
  mkdir -p "$corpus"
  seeds=fuzz/seeds/${name#fuzz_}
  echo "== $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -max_len=65536 "$corpus" $( [[ -d $seeds ]] && echo "$seeds" )
done

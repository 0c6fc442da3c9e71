#!/usr/bin/env bash
# Long libFuzzer sessions with clang, address and undefined-behaviour sanitizers.
# Usage: scripts/fuzz.sh [seconds per target, default 300] [target ...]
#   Every fuzz_* target runs in turn (or the ones named, with or without "fuzz_"), starting
#   from its seeds in fuzz/seeds/<name> and its corpus in build-fuzz/corpus/<name>, with a
#   time limit per input (FUZZ_TIMEOUT seconds, default 10) and a memory limit
#   (FUZZ_RSS_MB, default 2048). A crash does not stop the others; crash, timeout and
#   out-of-memory inputs land in build-fuzz/crashes/, the log of each run in
#   build-fuzz/logs/. A summary follows with the seconds each target ran, its executions and
#   the crash files it left, told apart by the process that wrote them: the fuzzer's own, or a
#   child it forked (the .xls reader runs FreeXL in one, so a FreeXL crash ends that child, the
#   program gets a message). Contained crashes inside FreeXL are reported but are no findings of
#   ours; any other crash file is. The exit status is 1 when any target found something.
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-300}
shift $(($# > 0 ? 1 : 0))
timeout_s=${FUZZ_TIMEOUT:-10}
rss_mb=${FUZZ_RSS_MB:-2048}

set -e
scripts/deps.sh
command -v clang++-14 >/dev/null || { sudo_cmd=(); [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo); "${sudo_cmd[@]}" apt-get install -y -qq clang-14 libclang-rt-14-dev; }
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DETIKOR_FUZZ=ON \
  -DETIKOR_BUILD_GUI=OFF -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
targets=()
if [[ $# -gt 0 ]]; then
  build_targets=()
  for name in "$@"; do
    targets+=("build-fuzz/bin/fuzz_${name#fuzz_}")
    build_targets+=("fuzz_${name#fuzz_}")
  done
  # Only what the named targets need.
  cmake --build build-fuzz --target "${build_targets[@]}" || true
else
  cmake --build build-fuzz
  targets=(build-fuzz/bin/fuzz_*)
fi
set +e

mkdir -p build-fuzz/crashes build-fuzz/logs
# Undefined behaviour is a finding like a crash; leaks are checked while fuzzing.
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
# Leaks inside system libraries (scripts/sanitize.supp) are not findings.
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/scripts/sanitize.supp:print_suppressions=0}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}

summary=()
found=0
for target in "${targets[@]}"; do
  name=$(basename "$target")
  short=${name#fuzz_}
  if [[ ! -x $target ]]; then
    summary+=("$(printf '%-22s %s' "$name" "no such target")")
    found=1
    continue
  fi
  corpus=build-fuzz/corpus/$short
  seeds=fuzz/seeds/$short
  log=build-fuzz/logs/$short.log
  mkdir -p "$corpus"
  inputs=("$corpus")
  [[ -d $seeds ]] && inputs+=("$seeds")
  echo "== $name for ${seconds}s (seeds: $([[ -d $seeds ]] && echo "$seeds" || echo none))"
  # Slow units are reported by libFuzzer but are no findings; crashes, leaks, timeouts and
  # out-of-memory inputs are.
  before=$(ls build-fuzz/crashes | grep "^$short-" | grep -vc -- "-slow-unit-" || true)
  started=$(date +%s)
  "$target" -max_total_time="$seconds" -timeout="$timeout_s" -rss_limit_mb="$rss_mb" -max_len=65536 \
    -print_final_stats=1 -artifact_prefix="build-fuzz/crashes/$short-" "${inputs[@]}" >"$log" 2>&1 &
  fuzzer=$!
  wait $fuzzer
  status=$?
  ran=$(($(date +%s) - started))
  after=$(ls build-fuzz/crashes | grep "^$short-" | grep -vc -- "-slow-unit-" || true)
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)
  speed=$(grep -o 'stat::average_exec_per_sec: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*')
  files=$(find "$corpus" -type f | wc -l)
  # Whose crash each written file is: the sanitizer's or libFuzzer's report before it names the
  # process ("==PID=="). The fuzzer stops at its own first crash; a forked child's crash ends
  # only the child and the fuzzer goes on. A child's crash whose stack (the first one of its
  # report) runs through FreeXL is contained: the reader gives a message. Any other is ours,
  # and so is a file the log does not account for.
  counts=$(awk -v parent="$fuzzer" '
    /==[0-9]+== ?ERROR/ {
      match($0, /==[0-9]+==/); pid = substr($0, RSTART + 2, RLENGTH - 4); freexl = 0; stack = 0 }
    stack < 2 && /^ *#[0-9]+ / { stack = 1; if (/libfreexl/) freexl = 1; next }
    stack == 1 { stack = 2 }
    /Test unit written to/ && !/slow-unit-/ {
      if (pid != "" && pid != parent && freexl) contained[$NF] = 1; else own[$NF] = 1
      pid = ""; freexl = 0; stack = 0 }
    END { o = 0; c = 0; for (f in own) o++; for (f in contained) c++; printf "%d %d\n", o, c }' "$log")
  own=${counts% *}
  contained=${counts#* }
  new_files=$((after - before))
  if ((new_files > own + contained)); then own=$((new_files - contained)); fi
  if [[ $status -eq 0 && $own -eq 0 ]]; then
    result="clean"
  else
    result="FOUND $own crash file(s) in build-fuzz/crashes/$short-* (exit $status, log $log)"
    found=1
  fi
  if ((contained > 0)); then result+="; $contained FreeXL crash file(s) contained in the reader's child"; fi
  summary+=("$(printf '%-22s %6ss %9s runs %6s/s  cov %5s  corpus %5s  %s' "$name" "$ran" "${runs:-?}" \
    "${speed:-?}" "${cov:-?}" "$files" "$result")")
  tail -n 3 "$log"
done

echo
echo "== Summary (${seconds}s per target, -timeout=$timeout_s, -rss_limit_mb=$rss_mb)"
printf '%s\n' "${summary[@]}"
exit $found

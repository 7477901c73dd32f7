#!/usr/bin/env bash
# scripts/fuzz.sh BUILDDIR
#
# Builds every reader's libFuzzer harness (fuzz/fuzz_<reader>.cpp) with clang,
# AddressSanitizer and UBSan, and runs each for a bounded time from the seed
# files in fuzz/seeds/<reader>/. A crash, a sanitizer report, a hang (one input
# taking longer than FUZZ_TIMEOUT seconds) or a single allocation above
# FUZZ_MALLOC_LIMIT_MB counts as a finding; the offending input is kept under
# BUILDDIR/fuzz-findings/<reader>/. Exits non-zero when anything was found.
#
# Environment: FUZZ_SECONDS (per harness, default 60), FUZZ_TIMEOUT (default 10),
# FUZZ_MALLOC_LIMIT_MB (default 512: the largest picture the size cap admits is
# 384 MiB), FUZZ_ONLY (space-separated reader names), FUZZ_ARGS (extra libFuzzer flags).
set -uo pipefail

build=${1:?usage: scripts/fuzz.sh BUILDDIR}
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${FUZZ_SECONDS:-60}
timeout=${FUZZ_TIMEOUT:-10}
malloc_limit=${FUZZ_MALLOC_LIMIT_MB:-512}

shopt -s nullglob
harnesses=()
for source in "$root"/fuzz/fuzz_*.cpp; do
  name=$(basename "$source" .cpp)
  reader=${name#fuzz_}
  if [ -n "${FUZZ_ONLY:-}" ] && [[ " $FUZZ_ONLY " != *" $reader "* ]]; then continue; fi
  harnesses+=("$name")
done
if [ ${#harnesses[@]} -eq 0 ]; then
  echo "fuzz: no harnesses (fuzz/fuzz_*.cpp)"
  exit 0
fi

# Every library is instrumented for coverage and the sanitizers; only the
# harness executables link libFuzzer's main (fuzz/CMakeLists.txt).
mkdir -p "$build"
sanitize="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer -g"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DHUEMIRA_FUZZ=ON \
  -DCMAKE_C_FLAGS="$sanitize" -DCMAKE_CXX_FLAGS="$sanitize" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >"$build/configure.log" 2>&1 || {
  cat "$build/configure.log"
  echo "fuzz: configure failed"
  exit 2
}
cmake --build "$build" -j 2 --target "${harnesses[@]}" || {
  echo "fuzz: build failed"
  exit 2
}

export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1:allocator_may_return_null=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

findings=0
summary=()
for name in "${harnesses[@]}"; do
  reader=${name#fuzz_}
  corpus="$build/fuzz-corpus/$reader"
  artifacts="$build/fuzz-findings/$reader"
  log="$build/fuzz-logs/$reader.log"
  mkdir -p "$corpus" "$artifacts" "$(dirname "$log")"
  seeds=()
  [ -d "$root/fuzz/seeds/$reader" ] && seeds=("$root/fuzz/seeds/$reader")
  echo "== $reader: ${seconds}s from ${seeds[*]:-no seeds}"
  # The first directory collects new inputs; the seeds are only read.
  # shellcheck disable=SC2086
  "$build/fuzz/$name" "$corpus" "${seeds[@]}" \
    -max_total_time="$seconds" -timeout="$timeout" -rss_limit_mb=2560 -malloc_limit_mb="$malloc_limit" \
    -artifact_prefix="$artifacts/" -print_final_stats=1 ${FUZZ_ARGS:-} >"$log" 2>&1
  status=$?
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)
  if [ $status -ne 0 ]; then
    findings=$((findings + 1))
    summary+=("$reader: FOUND (exit $status) after ${runs:-?} runs; inputs in $artifacts, log $log")
    grep -m 3 -E 'ERROR: |runtime error|SUMMARY|out-of-memory|timeout' "$log" | sed 's/^/    /'
  else
    summary+=("$reader: clean, ${runs:-?} runs")
  fi
done

echo
echo "Fuzzing summary (${seconds}s per harness):"
printf '  %s\n' "${summary[@]}"
[ $findings -eq 0 ]

#!/usr/bin/env bash
# Runs every Windows test program listed in BUILDDIR/wine-tests.txt under
# wine64, one after another in one shared prefix, each with a time limit,
# (a line "dpi=N monitors=M PROGRAM" runs it at that display resolution, on
# that many monitors; either word may be left out),
# and sums up their GoogleTest results:
#   windows: N passed, M failed
# A program that crashes, times out or fails without a GoogleTest report
# counts as one failed test. Exits non-zero on any failure.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
builddir=${1:?usage: test-windows.sh BUILDDIR}
limit=${HUEMIRA_WINE_TEST_TIMEOUT:-300}
list="$builddir/wine-tests.txt"

if [ ! -f "$list" ]; then
  echo "windows: $list is missing: configure and build $builddir with a MinGW toolchain first" >&2
  echo "windows: 0 passed, 1 failed"
  exit 1
fi
mapfile -t programs < <(grep -v '^[[:space:]]*$' "$list")
if [ ${#programs[@]} -eq 0 ]; then
  echo "windows: $list lists no test program" >&2
  echo "windows: 0 passed, 1 failed"
  exit 1
fi

# shellcheck source=wine-env.sh
source "$here/wine-env.sh"
wine_env_start || { echo "windows: 0 passed, 1 failed"; exit 1; }

results="$builddir/wine-results"
rm -rf "$results"
mkdir -p "$results"

# Prints "passed failed" from a GoogleTest XML report.
count_results() {
  python3 - "$1" <<'EOF'
import sys, xml.etree.ElementTree as ET
passed = failed = 0
for case in ET.parse(sys.argv[1]).getroot().iter("testcase"):
    if case.get("result") == "skipped" or case.get("status") == "notrun":
        continue
    if case.find("failure") is not None or case.find("error") is not None:
        failed += 1
    else:
        passed += 1
print(passed, failed)
EOF
}

# The output of each failed test (from its RUN line to its FAILED line), or
# the end of the output when the program died before any test failed.
failure_output() {
  awk '/^\[ RUN      \]/ { block = "" }
       { block = block $0 "\n" }
       /^\[  FAILED  \] .*\([0-9]+ ms\)$/ { printf "%s", block; block = ""; shown = 1 }
       END { if (!shown) printf "%s", block }' "$1" | tail -n 200
}

total_passed=0 total_failed=0 failed_programs=()
for line in "${programs[@]}"; do
  dpi=96 monitors=1 program=$line
  while [[ $program =~ ^(dpi|monitors)=([0-9]+)\ (.*)$ ]]; do
    printf -v "${BASH_REMATCH[1]}" %s "${BASH_REMATCH[2]}"
    program=${BASH_REMATCH[3]}
  done
  name=$(basename "$program" .exe)
  [ "$dpi" = 96 ] || name="$name-${dpi}dpi"
  [ "$monitors" = 1 ] || name="$name-${monitors}monitors"
  if ! wine_use_display "$dpi" "$monitors"; then
    echo "FAIL $name: no Wine prefix at $dpi dpi on $monitors monitors"
    total_failed=$((total_failed + 1)); failed_programs+=("$name"); continue
  fi
  log="$results/$name.log" report="$results/$name.xml"
  if [ ! -f "$program" ]; then
    echo "FAIL $name: $program was not built"
    total_failed=$((total_failed + 1)); failed_programs+=("$name"); continue
  fi
  start=$SECONDS
  # A Unix working directory puts Wine's current drive on Z:, where the
  # tests' absolute source paths resolve; the report path is relative to it
  # because GoogleTest on Windows takes /... for a relative path.
  (cd "$results" &&
    timeout --kill-after=10 "$limit" "${WINE_CMD[@]}" "$(realpath "$program")" \
      --gtest_output="xml:$name.xml" --gtest_color=no) >"$log" 2>&1
  rc=$?
  seconds=$((SECONDS - start))
  # Each prefix has its own server; it ends with its programs.
  [ "$dpi" = 96 ] && [ "$monitors" = 1 ] || timeout 20 "$WINE_SERVER" -w 2>/dev/null
  passed=0 failed=0
  if [ -s "$report" ]; then
    read -r passed failed < <(count_results "$report" || echo "0 0")
  else # died before writing its report: count what its output shows
    passed=$(grep -c '^\[       OK \]' "$log")
    failed=$(grep -c '^\[  FAILED  \] .*([0-9]* ms)$' "$log")
  fi
  why=""
  if [ $rc -eq 124 ] || [ $rc -eq 137 ]; then
    why="timed out after ${limit}s"
  elif [ ! -s "$report" ]; then
    why="ended with code $rc before writing its GoogleTest report (crashed?)"
  elif [ $rc -ne 0 ] && [ "$failed" -eq 0 ]; then
    why="ended with code $rc although no test failed"
  fi
  if [ -n "$why" ]; then
    failed=$((failed + 1))
  fi
  total_passed=$((total_passed + passed)); total_failed=$((total_failed + failed))
  if [ "$failed" -eq 0 ]; then
    echo "PASS $name: $passed tests (${seconds}s)"
  else
    failed_programs+=("$name")
    echo "FAIL $name: $passed passed, $failed failed${why:+, $why} (${seconds}s); output follows"
    failure_output "$log" | head -80 | sed 's/^/    /'
    echo "    (whole output: $log)"
  fi
done

[ ${#failed_programs[@]} -eq 0 ] || echo "windows: failed programs: ${failed_programs[*]}"
echo "windows: $total_passed passed, $total_failed failed"
[ "$total_failed" -eq 0 ]

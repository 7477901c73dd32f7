#!/usr/bin/env bash
# Runs the tests that ctest knows in BUILDDIR and ends with one summary line,
#   <builddir name>: N passed, M failed
# preceded by "PASS LABEL" or "FAIL LABEL". Exits non-zero on any failure,
# and also when the build directory holds no test at all.
set -uo pipefail

builddir=${1:?usage: test-native.sh BUILDDIR LABEL}
label=${2:-$(basename "$builddir")}
word=$(basename "$builddir" | tr -cd '[:alnum:]_-')

if [ ! -f "$builddir/CTestTestfile.cmake" ]; then
  echo "FAIL $label: $builddir is not a configured build directory with tests" >&2
  echo "$word: 0 passed, 1 failed"
  exit 1
fi

log=$(mktemp)
trap 'rm -f "$log"' EXIT
ctest --test-dir "$builddir" --output-on-failure --no-tests=error \
  -j "${JOBS:-2}" --timeout "${HUEMIRA_TEST_TIMEOUT:-300}" 2>&1 | tee "$log"
rc=${PIPESTATUS[0]}

# ctest closes with "NN% tests passed, F tests failed out of T".
read -r failed total < <(sed -n 's/.*tests passed, \([0-9]*\) tests\{0,1\} failed out of \([0-9]*\).*/\1 \2/p' "$log" | tail -1)
failed=${failed:-0} total=${total:-0}
passed=$((total - failed))
if [ "$rc" -ne 0 ] && [ "$failed" -eq 0 ]; then
  failed=1 # ctest itself failed (no tests found, a test program missing, ...)
fi

if [ "$failed" -eq 0 ]; then
  echo "PASS $label: all $total tests passed"
else
  echo "FAIL $label: $failed of $total tests failed (ctest exit code $rc)"
fi
echo "$word: $passed passed, $failed failed"
[ "$failed" -eq 0 ]

#!/usr/bin/env bash
# Runs every test layer over the build directories under BUILDDIR (make test):
#   native     BUILDDIR/native through ctest
#   asan       BUILDDIR/asan through ctest (AddressSanitizer and UBSan)
#   windows    the Windows test programs of BUILDDIR/win64 under wine64
#   e2e        the real BUILDDIR/win64/app/huemira.exe driven under Wine
#   release    both huemira.exe files (right architecture, self-contained,
#              versioned, reproducible) and the release archive
# Every layer runs even when an earlier one failed. Ends with
#   layers: N passed, M failed
# and exits non-zero when any layer failed.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
builddir=${1:?usage: test-all.sh BUILDDIR}

release_check() {
  local win32="$builddir/win32/app/huemira.exe" win64="$builddir/win64/app/huemira.exe" exe missing=0
  for exe in "$win32" "$win64"; do
    [ -f "$exe" ] || { echo "FAIL $exe does not exist"; missing=1; }
  done
  [ $missing -eq 0 ] || return 1
  # The archive a user downloads, packed as make release packs it.
  local dist="$builddir/release-check"
  rm -rf "$dist"
  "$here/make-release.py" "$win32" "$dist" || return 1
  "$here/check-release.py" "$win32" --win64 "$win64" --archive "$dist"/Huemira-*-win32.zip
}

layer_names=() layer_results=()

# run_layer NAME COMMAND...: runs one layer and notes its result.
run_layer() {
  local name=$1; shift
  echo
  echo "=== layer $name"
  local start=$SECONDS
  "$@"
  local rc=$?
  layer_names+=("$name")
  if [ $rc -eq 0 ]; then
    layer_results+=("PASS")
  else
    layer_results+=("FAIL")
  fi
  echo "=== layer $name: ${layer_results[-1]} ($((SECONDS - start)) s)"
}

run_layer native "$here/test-native.sh" "$builddir/native" "native unit tests"
run_layer asan "$here/test-native.sh" "$builddir/asan" "native unit tests (ASan/UBSan)"

# The Windows layers share one display and one prefix.
# shellcheck source=wine-env.sh
source "$here/wine-env.sh"
if wine_env_start; then
  export DISPLAY
  run_layer windows "$here/test-windows.sh" "$builddir/win64"
  run_layer e2e "$here/test-e2e.sh" "$builddir/win64/app/huemira.exe"
else
  echo "no X display or Wine prefix: the windows and e2e layers cannot run" >&2
  layer_names+=(windows e2e) layer_results+=(FAIL FAIL)
fi
run_layer release release_check

echo
passed=0 failed=0
for i in "${!layer_names[@]}"; do
  echo "${layer_results[$i]} ${layer_names[$i]}"
  if [ "${layer_results[$i]}" = PASS ]; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
done
echo "layers: $passed passed, $failed failed"
[ $failed -eq 0 ]

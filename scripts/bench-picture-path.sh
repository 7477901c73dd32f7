#!/usr/bin/env bash
# scripts/bench-picture-path.sh NATIVE_BUILDDIR WIN64_BUILDDIR PICTURE...
#
# The user's path under Wine: from a drop on the main window to the picture
# window shown with its picture painted (bench/picture_path_bench.cpp), beside
# huemira-convert on the same file in the same run, natively and under Wine.
# Prints per picture the median of BENCH_RUNS runs (default 3) and checks the
# targets:
#   the whole path       <= 1.6 x huemira-convert under Wine
#   peak memory          <= 2.5 x the picture's 24-bit bitmap
#   a pointer move       <= 2 ms of the program's processor time
# and, per picture, the open dialog's time from a selection to its preview
# drawn (picture-path-bench --preview; target 1 s for the 24 MP pictures).
# The path is timed inside the program, from the drop to the painted window;
# the conversion it is compared with is timed the same way, inside a Windows
# process under Wine (picture-path-bench --convert-only). huemira-convert
# itself is shown beside it: natively, and under Wine from outside with Wine's
# own start (a program that only prints its usage) taken off.
set -euo pipefail

native=${1:?usage: bench-picture-path.sh NATIVE_BUILDDIR WIN64_BUILDDIR PICTURE...}
win64=${2:?usage: bench-picture-path.sh NATIVE_BUILDDIR WIN64_BUILDDIR PICTURE...}
shift 2
runs=${BENCH_RUNS:-3}
here=$(cd "$(dirname "$0")" && pwd)

bench_exe="$win64/bench/picture-path-bench.exe"
convert_exe="$win64/tools/huemira-convert.exe"
for program in "$bench_exe" "$convert_exe"; do
  [ -f "$program" ] || { echo "bench: $program is missing; build it first (cmake --build $win64 --target $(basename "$program" .exe))"; exit 2; }
done
native_convert="$native/tools/huemira-convert"

# shellcheck source=wine-env.sh
source "$here/wine-env.sh"
wine_env_start >&2 || exit 2
work=$(mktemp -d)
trap 'rm -rf "$work"; wine_env_stop' EXIT

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
# Wall time of a command in milliseconds.
wall_ms() {
  local start end
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1 || true
  end=$(date +%s%N)
  echo $(((end - start) / 1000000))
}
field() { sed -n "s/.*\b$1=\([0-9.]*\).*/\1/p"; }

wall_ms wine_run "$convert_exe" >/dev/null  # Wine's server and services start once
wine_start_ms=$(for _ in $(seq "$runs"); do wall_ms wine_run "$convert_exe"; done | median)

echo
echo "Drop to painted picture window under Wine (median of $runs; Wine's start, ${wine_start_ms} ms, taken off huemira-convert under Wine)"
printf '%-10s %9s %9s %9s %9s %7s %9s %9s %7s %8s\n' picture "native" "Wine exe" "in Wine" "path ms" ratio "peak MB" "bitmap" ratio "move ms"
for picture in "$@"; do
  name=$(basename "$picture")
  [ -s "$picture" ] || { echo "bench: $picture is missing (bench.sh makes it with its jpeg and png formats)"; continue; }
  native_ms=-
  if [ -x "$native_convert" ]; then
    native_ms=$(for _ in $(seq "$runs"); do wall_ms "$native_convert" "$picture" "$work/out.bmp"; done | median)
  fi
  wine_ms=$(for _ in $(seq "$runs"); do wall_ms wine_run "$convert_exe" "Z:$picture" "Z:$work/out.bmp"; done | median)
  wine_ms=$((wine_ms - wine_start_ms))
  convert_ms=$(for _ in $(seq "$runs"); do
    (cd "$win64/bench" && wine_run ./picture-path-bench.exe "Z:$picture" --convert-only 2>/dev/null) | field convert_ms
  done | median)
  : >"$work/figures"
  for _ in $(seq "$runs"); do
    (cd "$win64/bench" && wine_run ./picture-path-bench.exe "Z:$picture" 300 2>/dev/null | grep '^path_ms=' >>"$work/figures") || true
  done
  [ -s "$work/figures" ] || { echo "bench: picture-path-bench gave no figures for $name"; continue; }
  preview_ms=$(for _ in $(seq "$runs"); do
    (cd "$win64/bench" && wine_run ./picture-path-bench.exe "Z:$picture" --preview 2>/dev/null) | field preview_ms
  done | median)
  path_ms=$(field path_ms <"$work/figures" | median)
  peak_mb=$(field peak_working_set_mb <"$work/figures" | median)
  private_mb=$(field peak_private_mb <"$work/figures" | median)
  bitmap_mb=$(field bitmap_mb <"$work/figures" | median)
  move_ms=$(field move_cpu_ms <"$work/figures" | median)
  peak_mb=$(awk -v a="$peak_mb" -v b="$private_mb" 'BEGIN { print (a > b ? a : b) }')
  awk -v n="$name" -v c="$native_ms" -v w="$wine_ms" -v i="$convert_ms" -v p="$path_ms" -v m="$peak_mb" -v b="$bitmap_mb" -v mv="$move_ms" 'BEGIN {
    time_ratio = p / i; memory_ratio = m / b
    printf "%-10s %9s %9d %9d %9d %6.2fx %9.1f %9.1f %6.2fx %8.3f\n", n, c, w, i, p, time_ratio, m, b, memory_ratio, mv
    if (time_ratio > 1.6) printf "  MISSED: the path takes %.2f x the conversion under Wine (target 1.6)\n", time_ratio
    if (memory_ratio > 2.5) printf "  MISSED: peak memory is %.2f x the 24-bit bitmap (target 2.5)\n", memory_ratio
    if (mv > 2) printf "  MISSED: a pointer move costs %.3f ms (target 2)\n", mv
  }'
  echo "  selection to preview drawn in the open dialog: ${preview_ms:-?} ms"
  awk -v ms="${preview_ms:-0}" 'BEGIN { if (ms > 1000) printf "  MISSED: the preview takes %d ms (target 1000)\n", ms }'
done
# Hostile files (HOSTILE_DIR, written by hostile-files-bench): the dialog reads
# them on a worker, so it answers throughout; this is how long the worker
# takes to give each its preview or its size alone.
if [ -n "${HOSTILE_DIR:-}" ]; then
  echo
  echo "Hostile files selected in the open dialog: selection to preview or size (read on a worker)"
  for picture in "$HOSTILE_DIR"/hostile*; do
    ms=$( (cd "$win64/bench" && wine_run ./picture-path-bench.exe "Z:$picture" --preview 2>/dev/null) | field preview_ms)
    printf '  %-16s %6s ms\n' "$(basename "$picture")" "${ms:-refused}"
  done
fi
echo "(times in ms: huemira-convert natively and under Wine, the same conversion inside a Windows process, the"
echo " drop-to-painted-window path; ratio: path / conversion in Wine. peak MB: the larger of the peak working set and the peak private bytes; move ms: processor time per pointer move)"

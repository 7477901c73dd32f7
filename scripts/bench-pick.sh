#!/usr/bin/env bash
# scripts/bench-pick.sh WIN64_BUILDDIR
#
# Under Wine: the processor time of a pointer move during a screen pick with
# the loupe open, beside a plain single-pixel read, and the time and memory
# of freezing the desktop, on one and two monitors (bench/pick_bench.cpp),
# and the processor time that the running program takes while nothing
# happens, over BENCH_IDLE_SECONDS (default 30) after it has settled.
# Informational: there is no pass or fail.
set -uo pipefail

build=$(cd "${1:?usage: scripts/bench-pick.sh WIN64_BUILDDIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
idle=${BENCH_IDLE_SECONDS:-30}
bench="$build/bench/pick-bench.exe"
program="$build/app/huemira.exe"
if [ ! -f "$bench" ] || [ ! -f "$program" ]; then
  echo "pick: $bench or $program is missing; build them first (make win64)"
  exit 0
fi

export WINEPREFIX=${WINEPREFIX:-$build/bench-wineprefix}
# shellcheck source=wine-env.sh
source "$here/wine-env.sh"
wine_env_start || exit 1

echo
(cd "$build" && wine_run "$bench") 2>/dev/null | grep '^pick:'
# Freezing once more on two monitors, where the desktop is largest.
if wine_use_display 96 2; then
  (cd "$build" && wine_run "$bench") 2>/dev/null | grep -E '^pick: (freezing|memory)' | sed 's/^pick:/pick, two monitors:/'
  wine_use_display 96
fi

# Clock ticks of user and system time of a process.
ticks() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null; }
wine_start "$program"
sleep 8  # start-up, the first paint and the tray icon
before=$(ticks "$WINE_PID")
sleep "$idle"
after=$(ticks "$WINE_PID")
kill "$WINE_PID" 2>/dev/null
wait "$WINE_PID" 2>/dev/null
"$WINE_SERVER" -k 2>/dev/null
hz=$(getconf CLK_TCK)
if [ -n "$before" ] && [ -n "$after" ]; then
  awk -v t=$((after - before)) -v hz="$hz" -v s="$idle" \
    'BEGIN { printf "pick: idle program, processor time over %d s     %8.3f s\n", s, t / hz }'
else
  echo "pick: the program ended before the idle measurement"
fi

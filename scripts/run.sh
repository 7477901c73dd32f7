#!/usr/bin/env bash
# Starts a Windows program (make run: the x86_64 huemira.exe) under wine64
# on the X display, or on a private Xvfb when there is none, and waits for
# it to end.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
exe=${1:?usage: run.sh EXE}
shift
if [ ! -f "$exe" ]; then
  echo "run: $exe does not exist: build it first (make win64)" >&2
  exit 1
fi

# shellcheck source=wine-env.sh
source "$here/wine-env.sh"
wine_env_start
# HUEMIRA_WINE_DPI=144 shows it as on a 150 % display; HUEMIRA_MONITORS=2 on
# two monitors, the left one at negative coordinates.
[ "${HUEMIRA_MONITORS:-1}" = 1 ] || wine_use_display "$HUEMIRA_WINE_DPI" "$HUEMIRA_MONITORS"

if wine_env_started_xvfb; then
  cat >&2 <<MSG
run: the program shows on the virtual screen $DISPLAY; to look at it, from another shell:
       DISPLAY=$DISPLAY import -window root huemira-screen.png
     Close the program (or press Ctrl+C here) to end it and the virtual screen.
MSG
fi
echo "run: starting $exe" >&2
wine_run "$(realpath "$exe")" "$@"

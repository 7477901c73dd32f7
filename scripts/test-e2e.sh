#!/usr/bin/env bash
# End-to-end checks: starts the real program EXE under Wine on an X display
# and drives it as a user would (tests/e2e/check_*.py). Screenshots and the
# programs' Wine output go to build/e2e-shots/ (HUEMIRA_E2E_SHOTS).
# Extra arguments select checks by part of their name.
# Ends with "e2e: N passed, M failed"; exits non-zero on any failure.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
exe=${1:?usage: test-e2e.sh EXE [CHECK...]}
shift

if [ ! -f "$exe" ]; then
  echo "e2e: $exe does not exist: build the x86_64 program first (make win64)" >&2
  echo "e2e: 0 passed, 1 failed"
  exit 1
fi
for tool in xdotool xclip import python3 trayer; do
  if ! command -v "$tool" >/dev/null; then
    echo "e2e: $tool is missing (run scripts/setup.sh)" >&2
    echo "e2e: 0 passed, 1 failed"
    exit 1
  fi
done

# The drag-and-drop source runs under the system's Python, with its X library.
if ! /usr/bin/python3 -c 'import Xlib' 2>/dev/null; then
  echo "e2e: python3-xlib is missing (run scripts/setup.sh)" >&2
  echo "e2e: 0 passed, 1 failed"
  exit 1
fi

# shellcheck source=wine-env.sh
source "$here/wine-env.sh"
wine_env_start || { echo "e2e: 0 passed, 1 failed"; exit 1; }

# The checks at 150 % and on two monitors run in prefixes of their own
# beside the usual one (and the latter on a display of its own).
wine_use_display 144 || { echo "e2e: 0 passed, 1 failed"; exit 1; }
export HUEMIRA_WINEPREFIX_144DPI=$WINEPREFIX
wine_use_display 96 2 || { echo "e2e: 0 passed, 1 failed"; exit 1; }
export HUEMIRA_WINEPREFIX_2MONITORS=$WINEPREFIX HUEMIRA_DISPLAY_2MONITORS=$DISPLAY
wine_use_display 96
export HUEMIRA_EXE=$(realpath "$exe")
export HUEMIRA_E2E_SHOTS=${HUEMIRA_E2E_SHOTS:-$root/build/e2e-shots}
export HUEMIRA_WINE_LOADER=$WINE_LOADER
mkdir -p "$HUEMIRA_E2E_SHOTS"
# -B: no bytecode caches in the checkout
python3 -B "$root/tests/e2e/run_checks.py" "$@"

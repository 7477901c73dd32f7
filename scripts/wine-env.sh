# Sourced by the scripts that run Windows programs: one Wine prefix shared by
# every program of a run, and an X display for their windows.
#
#   wine_env_start          make the display and the prefix ready (idempotent)
#   wine_run EXE [ARGS...]  run a program under the 64-bit loader, in the foreground
#   wine_start EXE [ARGS...]  the same in the background (process id in WINE_PID)
#   wine_env_stop           end what wine_env_start started (also runs on exit)
#
#   wine_use_display DPI [MONITORS]
#                           run the next programs at DPI dots per inch, on one
#                           monitor or on two side by side
#
# WINEPREFIX may be set by the caller; the default lives in build/.
# HUEMIRA_WINE_DPI (default 96) is the display resolution a new prefix gets.
# Wine reads the resolution and the monitors' settings once, when its server
# starts, so each resolution and each monitor count has a prefix of its own
# beside the default one. DISPLAY is used when it answers; otherwise a
# private Xvfb is started and stopped again. Two monitors are two screens of
# a nested Xephyr with Xinerama, the right one primary, so that the left one
# has negative coordinates as it would on Windows.
# Works without a terminal, as root and in CI.

HUEMIRA_ROOT=${HUEMIRA_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${WINEPREFIX:-$HUEMIRA_ROOT/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEARCH=win64
# No Mono or Gecko installer dialogs while a prefix is created, and a
# crashing program ends at once instead of waiting in the debugger.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml,winedbg.exe=d}
# This kernel runs no 32-bit code, so only the 64-bit loader is of use.
WINE_LOADER=/usr/lib/wine/wine64
WINE_SERVER=/usr/lib/wine/wineserver64
HUEMIRA_SCREEN_SIZE=${HUEMIRA_SCREEN_SIZE:-1024x768}
HUEMIRA_WINE_DPI=${HUEMIRA_WINE_DPI:-96}
HUEMIRA_WINE_MONITORS=${HUEMIRA_WINE_MONITORS:-1}
# The two monitors: the left (secondary) one is the larger, so that part of
# the virtual screen lies on no monitor. (Xephyr bounds the pointer by its
# first screen: a smaller one would keep it out of part of the other.)
HUEMIRA_LEFT_MONITOR_SIZE=${HUEMIRA_LEFT_MONITOR_SIZE:-1280x1024}

_wine_env_xvfb_pid=""
_wine_env_xephyr_pid=""

wine_env_log() { echo "wine-env: $*" >&2; }

_display_works() {
  [ -n "${1:-}" ] && timeout 5 xdpyinfo -display "$1" >/dev/null 2>&1
}

# Prints the first free X display number from :99 on.
_free_display_number() {
  local n=99
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do
    n=$((n + 1))
    [ $n -lt 199 ] || { wine_env_log "no free X display number"; return 1; }
  done
  echo "$n"
}

# Waits until display :N answers, or its server PID has ended.
_await_display() {
  local i
  for i in $(seq 1 100); do
    _display_works ":$1" && return 0
    kill -0 "$2" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

# Starts a private Xvfb on a free display.
_start_xvfb() {
  local n log
  n=$(_free_display_number) || return 1
  log="${TMPDIR:-/tmp}/huemira-xvfb-$n.log"
  # setsid: the server must not share the job's signals or terminal.
  setsid Xvfb ":$n" -screen 0 "${HUEMIRA_SCREEN_SIZE}x24" -nolisten tcp >"$log" 2>&1 &
  _wine_env_xvfb_pid=$!
  if _await_display "$n" "$_wine_env_xvfb_pid"; then
    export DISPLAY=":$n"
    wine_env_log "no X display answered; started Xvfb on $DISPLAY (${HUEMIRA_SCREEN_SIZE}), it stops when this run ends"
    return 0
  fi
  wine_env_log "Xvfb :$n did not start; its log:"
  cat "$log" >&2
  _wine_env_xvfb_pid=""
  return 1
}

wine_env_started_xvfb() { [ -n "$_wine_env_xvfb_pid" ]; }

# Starts, once, a nested Xephyr on the current display whose two screens
# Xinerama joins into one desktop: the left monitor, then the primary one of
# the usual size to its right.
_start_two_monitors() {
  if [ -n "$_wine_env_xephyr_pid" ]; then
    export DISPLAY=$_wine_env_xephyr_display
    return 0
  fi
  command -v Xephyr >/dev/null || { wine_env_log "missing: Xephyr (run scripts/setup.sh)"; return 1; }
  local n log left_width=${HUEMIRA_LEFT_MONITOR_SIZE%x*}
  n=$(_free_display_number) || return 1
  log="${TMPDIR:-/tmp}/huemira-xephyr-$n.log"
  setsid Xephyr ":$n" +xinerama -origin 0,0 -screen "$HUEMIRA_LEFT_MONITOR_SIZE" \
    -origin "$left_width,0" -screen "$HUEMIRA_SCREEN_SIZE" -nolisten tcp >"$log" 2>&1 &
  _wine_env_xephyr_pid=$!
  if ! _await_display "$n" "$_wine_env_xephyr_pid"; then
    wine_env_log "Xephyr :$n did not start; its log:"
    cat "$log" >&2
    _wine_env_xephyr_pid=""
    return 1
  fi
  _wine_env_base_display=$DISPLAY _wine_env_xephyr_display=":$n"
  export DISPLAY=":$n"
}

# Creates the prefix once; a marker file tells a complete prefix from one
# whose creation was interrupted. Its content says which settings the
# prefix has, so that a prefix from an older version of this file gets them.
_PREFIX_VERSION=2
_prefix_settings() {
  local settings=$_PREFIX_VERSION
  [ "$HUEMIRA_WINE_DPI" = 96 ] || settings+=" dpi=$HUEMIRA_WINE_DPI"
  [ "$HUEMIRA_WINE_MONITORS" = 1 ] || settings+=" monitors=$HUEMIRA_WINE_MONITORS"
  echo "$settings"
}
_ensure_prefix() {
  local marker="$WINEPREFIX/.huemira-ready" settings
  settings=$(_prefix_settings)
  [ "$(cat "$marker" 2>/dev/null)" = "$settings" ] && return 0
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 8
    [ "$(cat "$marker" 2>/dev/null)" = "$settings" ] && exit 0
    if [ ! -f "$marker" ]; then
      wine_env_log "creating Wine prefix $WINEPREFIX (about 10 s, once)"
      rm -rf "$WINEPREFIX"
      "${WINE_CMD[@]}" wineboot --init >/dev/null 2>&1 || true
      "$WINE_SERVER" -w
      [ -f "$WINEPREFIX/system.reg" ] || { wine_env_log "wineboot did not create $WINEPREFIX"; exit 1; }
    fi
    # Wine draws the window frames itself, as Windows does: a virtual screen
    # has no window manager, and screenshots should show captions.
    "${WINE_CMD[@]}" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    # The resolution that Windows' display settings would set.
    local key
    for key in 'HKCU\Control Panel\Desktop' 'HKCC\Software\Fonts'; do
      "${WINE_CMD[@]}" reg add "$key" /v LogPixels /t REG_DWORD /d "$HUEMIRA_WINE_DPI" /f >/dev/null 2>&1
    done
    if [ "$HUEMIRA_WINE_MONITORS" != 1 ]; then
      # Wine takes the monitors from RandR when the server has it, and
      # Xephyr's RandR shows one output; Xinerama shows each screen. The
      # primary monitor is at 0,0 on Windows, the others are placed from it.
      "${WINE_CMD[@]}" reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /d N /f >/dev/null 2>&1
      "${WINE_CMD[@]}" reg add 'HKCU\Software\Wine\X11 Driver' /v PrimaryMonitor /d 1 /f >/dev/null 2>&1
    fi
    "$WINE_SERVER" -w
    echo "$settings" >"$marker"
  ) 8>"$WINEPREFIX.lock"
}

# Switches to the prefix of the current resolution and monitor count.
_use_prefix() {
  [ -n "${_wine_env_base_prefix:-}" ] || _wine_env_base_prefix=$WINEPREFIX
  local prefix=$_wine_env_base_prefix
  [ "$HUEMIRA_WINE_DPI" = 96 ] || prefix+="-${HUEMIRA_WINE_DPI}dpi"
  [ "$HUEMIRA_WINE_MONITORS" = 1 ] || prefix+="-${HUEMIRA_WINE_MONITORS}monitors"
  export WINEPREFIX=$prefix
  _ensure_prefix
}

# wine_use_display DPI [MONITORS]: from now on, programs run at DPI dots per
# inch on that many monitors (1 or 2; 1 when not given).
wine_use_display() {
  case ${2:-1} in
    1) [ -z "${_wine_env_base_display:-}" ] || export DISPLAY=$_wine_env_base_display ;;
    2) _start_two_monitors || return 1 ;;
    *) wine_env_log "wine_use_display: 1 or 2 monitors, not $2"; return 1 ;;
  esac
  export HUEMIRA_WINE_DPI=$1 HUEMIRA_WINE_MONITORS=${2:-1}
  _use_prefix
}

# How every Windows program is started: with a Chinese Windows locale, so
# that the interface's texts use the Chinese code page. The host need not
# have that locale, and no LC_* variable may override it.
WINE_CMD=(env -u LC_ALL -u LC_CTYPE -u LC_MESSAGES LANG=zh_CN.UTF-8 "$WINE_LOADER")

wine_env_start() {
  local problem=""
  for tool in Xvfb xdpyinfo setsid flock; do
    command -v "$tool" >/dev/null || problem+=" $tool"
  done
  [ -x "$WINE_LOADER" ] || problem+=" $WINE_LOADER"
  [ -z "$problem" ] || { wine_env_log "missing:$problem (run scripts/setup.sh)"; return 1; }
  if ! _display_works "${DISPLAY:-}"; then
    _start_xvfb || return 1
  fi
  _use_prefix
}

# wine_run EXE [ARGS...]: runs a Windows program and returns its exit code.
wine_run() {
  "${WINE_CMD[@]}" "$@"
}

# wine_start EXE [ARGS...]: starts a Windows program in the background; its
# process id is left in WINE_PID.
wine_start() {
  "${WINE_CMD[@]}" "$@" &
  WINE_PID=$!
}

wine_env_stop() {
  # Wine's server and its helper processes end a few seconds after the last
  # program; wait for that, so that no process outlives the run. (A server
  # kept alive for the whole run would keep the helpers alive too, and with
  # them any pipe that a program's output went into.) Every program of ours
  # has ended by now; one that still runs belongs to another run sharing the
  # prefix, and is left alone.
  local prefix
  for prefix in "$WINEPREFIX" ${_wine_env_base_prefix:+"$_wine_env_base_prefix"}; do
    if ! WINEPREFIX=$prefix timeout 20 "$WINE_SERVER" -w 2>/dev/null; then
      wine_env_log "Wine programs of another run still use $prefix; not waiting for them"
    fi
  done
  if [ -n "$_wine_env_xephyr_pid" ]; then
    kill "$_wine_env_xephyr_pid" 2>/dev/null || true
    wait "$_wine_env_xephyr_pid" 2>/dev/null || true
    _wine_env_xephyr_pid=""
  fi
  if [ -n "$_wine_env_xvfb_pid" ]; then
    kill "$_wine_env_xvfb_pid" 2>/dev/null || true
    wait "$_wine_env_xvfb_pid" 2>/dev/null || true
    _wine_env_xvfb_pid=""
  fi
}

trap wine_env_stop EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# The Windows roads of ./dev: which ones this machine runs, their prefixes, one wineserver
# per road and run, the virtual display, and running the suite's programs. Sourced by ./dev
# after ROOT, BUILD and say() are set. Every wait on Wine is bounded and says so when the
# bound is hit.
# shellcheck source=wine-env.sh
. "$ROOT/scripts/lib/wine-env.sh"

# Bounds, in seconds (a prefix takes 10-20 s to make here, a program start 2.5 s cold).
KIVRA_WINEBOOT_SECONDS=${KIVRA_WINEBOOT_SECONDS:-300}
KIVRA_WINE_START_SECONDS=${KIVRA_WINE_START_SECONDS:-120}
KIVRA_WINE_RUN_SECONDS=${KIVRA_WINE_RUN_SECONDS:-900}

die() { printf '\033[1;31merror:\033[0m %s\n' "$*" >&2; exit 1; }

# ---------------------------------------------------------------- what the machine runs
# Whether 32-bit programs start here, found by running the 32-bit loader (packages can all be
# installed on a machine whose processor mode has no 32-bit user code: "Exec format error").
# Once per run: the answer is exported for the drivers and scripts ./dev calls.
probe_win32() {
  [ -n "${KIVRA_WIN32_RUNS:-}" ] && return 0
  local loader=${KIVRA_WINE32_LOADER:-/usr/lib/wine/wine} out rc=0
  if [ "${KIVRA_NO_WIN32:-0}" = 1 ]; then
    KIVRA_WIN32_RUNS=0
    KIVRA_WIN32_WHY="KIVRA_NO_WIN32=1 makes this run act as on a machine without 32-bit code"
  elif [ ! -e "$loader" ]; then
    KIVRA_WIN32_RUNS=0
    KIVRA_WIN32_WHY="the 32-bit loader $loader is not installed (./dev setup installs it)"
  else
    # Through bash, which names an unrunnable binary ("Exec format error") where the C
    # library's exec would hand it to the shell as a script.
    out=$(timeout -k 5 30 bash -c '"$0" --version' "$loader" 2>&1 </dev/null) || rc=$?
    if [ "$rc" = 0 ]; then
      KIVRA_WIN32_RUNS=1
      KIVRA_WIN32_WHY=""
    else
      KIVRA_WIN32_RUNS=0
      out=$(printf '%s\n' "$out" | grep -v '^$' | head -n 1)
      KIVRA_WIN32_WHY="the 32-bit loader $loader does not start (exit status $rc${out:+: $out})"
    fi
  fi
  export KIVRA_WIN32_RUNS KIVRA_WIN32_WHY
}

# One line naming the Windows roads this run uses.
announce_roads() {
  probe_win32
  [ -n "${KIVRA_ROADS_ANNOUNCED:-}" ] && return 0
  export KIVRA_ROADS_ANNOUNCED=1
  if [ "$KIVRA_WIN32_RUNS" = 1 ]; then
    say "Windows roads: win32 (32-bit Wine) and win64 (64-bit Wine)"
  else
    say "Windows roads: win64 only (64-bit Wine); win32 is not run: $KIVRA_WIN32_WHY"
  fi
}

# ---------------------------------------------------------------- one road
# use_road ROAD: the environment, dist/ folder and wine-run flags of a road.
WINE_RUN_FLAGS=()
use_road() {
  wine_road_env "$1" "$BUILD"
  if [ "$1" = win64 ]; then
    DIST=$ROOT/dist/x64
    WINE_RUN_FLAGS=(--win64)
  else
    DIST=$ROOT/dist
    WINE_RUN_FLAGS=()
  fi
}

# The suite the drivers and the demo run: the 32-bit one where it runs, else the 64-bit one;
# `--x64` (KIVRA_FORCE_X64=1) takes the 64-bit one anywhere. Said once on stderr.
choose_driver_road() {
  if [ -z "${KIVRA_DRIVER_ROAD:-}" ]; then
    probe_win32
    if [ "${KIVRA_FORCE_X64:-0}" = 1 ]; then
      KIVRA_DRIVER_ROAD=win64
      say "running the 64-bit suite (dist/x64) under 64-bit Wine, as --x64 asks" >&2
    elif [ "$KIVRA_WIN32_RUNS" = 1 ]; then
      KIVRA_DRIVER_ROAD=win32
      say "running the 32-bit suite (dist) under 32-bit Wine" >&2
    else
      KIVRA_DRIVER_ROAD=win64
      say "running the 64-bit suite (dist/x64) under 64-bit Wine: $KIVRA_WIN32_WHY" >&2
    fi
    export KIVRA_DRIVER_ROAD
  fi
  use_road "$KIVRA_DRIVER_ROAD"
}

# A prefix counts as made when Wine finished making it: the user registry files are what the
# server writes last, after the Windows folder; our mark is written once all of that was seen.
prefix_files_complete() {
  [ -s "$WINEPREFIX/system.reg" ] && [ -s "$WINEPREFIX/userdef.reg" ] && [ -s "$WINEPREFIX/user.reg" ] &&
    [ -f "$WINEPREFIX/drive_c/windows/system32/kernel32.dll" ]
}
prefix_made() { [ -f "$WINEPREFIX/.kivra-prefix-made" ] && prefix_files_complete; }

# Our settings in a made prefix; the mark holds their version, so older prefixes get them too.
KIVRA_PREFIX_SETTINGS=2
prefix_settings_current() { [ "$(cat "$WINEPREFIX/.kivra-prefix-made" 2>/dev/null)" = "$KIVRA_PREFIX_SETTINGS" ]; }
apply_prefix_settings() {
  # A test program that crashes must end with the debugger's backtrace, not wait on its crash
  # dialog (which also keeps ctest's output pipe open, so the run would never end).
  if ! timeout -k 5 60 "$KIVRA_WINE_LOADER" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog \
    /t REG_DWORD /d 0 /f >/dev/null 2>&1 </dev/null; then
    die "the crash dialog of the $KIVRA_ROAD prefix could not be turned off (loader $KIVRA_WINE_LOADER)"
  fi
  echo "$KIVRA_PREFIX_SETTINGS" >"$WINEPREFIX/.kivra-prefix-made"
}

remove_prefix() {
  case $WINEPREFIX in */wine-win32 | */wine-win64) rm -rf "$WINEPREFIX" ;; esac
}

ensure_prefix() {
  if prefix_made; then
    prefix_settings_current || apply_prefix_settings
    return 0
  fi
  if [ -e "$WINEPREFIX" ]; then
    say "removing an unfinished $KIVRA_ROAD Wine prefix ($WINEPREFIX)" >&2
    stop_wineserver
    remove_prefix
  fi
  say "creating the $KIVRA_ROAD Wine prefix (10-20 s)" >&2
  mkdir -p "$(dirname "$WINEPREFIX")"
  local log rc=0
  log=$(mktemp)
  timeout -k 10 "$KIVRA_WINEBOOT_SECONDS" "$KIVRA_WINE_LOADER" wineboot -i >"$log" 2>&1 </dev/null || rc=$?
  # wineboot returns before its server has written the registry; that server is not the
  # persistent one (none runs for a prefix being made), so waiting for it ends.
  if [ "$rc" = 0 ] && ! timeout -k 5 60 "$WINESERVER" -w >/dev/null 2>&1 </dev/null; then
    stop_wineserver
  fi
  if [ "$rc" = 0 ] && prefix_files_complete; then
    rm -f "$log"
    apply_prefix_settings
    return 0
  fi
  {
    printf '\033[1;31merror:\033[0m Wine could not make the %s prefix %s\n' "$KIVRA_ROAD" "$WINEPREFIX"
    printf '  loader tried: %s (WINEARCH=%s)\n' "$KIVRA_WINE_LOADER" "$WINEARCH"
    case $rc in
      0) echo "  wineboot ended without error, but the prefix is incomplete" ;;
      124 | 137) echo "  no answer within $KIVRA_WINEBOOT_SECONDS s (KIVRA_WINEBOOT_SECONDS); stopped" ;;
      *) echo "  exit status $rc" ;;
    esac
    if [ -s "$log" ]; then
      echo "  Wine said:"
      grep -v '^$' "$log" | tail -n 15 | sed 's/^/    /'
    fi
  } >&2
  rm -f "$log"
  stop_wineserver
  remove_prefix
  exit 1
}

# One wineserver for the road's whole run. Wine's service processes start with the first
# program and would inherit its output pipes, so a throw-away program starts them first; it
# is also the check that programs start at all on this road.
STARTED_ROADS=()
start_wineserver() {
  ensure_prefix
  start_persistent_server
  STARTED_ROADS+=("$KIVRA_ROAD")
  local log rc=0
  log=$(mktemp)
  DISPLAY=${KIVRA_XVFB_DISPLAY:-${DISPLAY:-}} timeout -k 5 "$KIVRA_WINE_START_SECONDS" \
    "$KIVRA_WINE_LOADER" cmd /c exit >"$log" 2>&1 </dev/null || rc=$?
  if [ "$rc" != 0 ]; then
    {
      printf '\033[1;31merror:\033[0m Wine does not start programs on the %s road\n' "$KIVRA_ROAD"
      printf '  loader tried: %s, prefix %s\n' "$KIVRA_WINE_LOADER" "$WINEPREFIX"
      case $rc in
        124 | 137) echo "  no answer within $KIVRA_WINE_START_SECONDS s (KIVRA_WINE_START_SECONDS); stopped" ;;
        *) echo "  exit status $rc" ;;
      esac
      [ -s "$log" ] && grep -v '^$' "$log" | tail -n 15 | sed 's/^/    /'
    } >&2
    rm -f "$log"
    exit 1
  fi
  rm -f "$log"
}

# A server that a program started on demand (as the prefix's settings did) ends with the
# last program: tests would then start it, and Wine's services, again and again, and a
# program that comes as it ends loses its connection ("Connection reset by peer"). Such a
# server refuses a second one (status 2), so wait for it to end and start ours. One that
# is still there after the wait is persistent itself (another run's): share it.
start_persistent_server() {
  local rc=0
  timeout -k 5 30 "$WINESERVER" -p >/dev/null 2>&1 </dev/null || rc=$?
  [ "$rc" = 2 ] || return 0
  if timeout -k 5 15 "$WINESERVER" -w >/dev/null 2>&1 </dev/null; then
    timeout -k 5 30 "$WINESERVER" -p >/dev/null 2>&1 </dev/null || true
  fi
}

stop_wineserver() { timeout -k 5 20 "$WINESERVER" -k >/dev/null 2>&1 </dev/null || true; }

stop_started_wineservers() {
  local road
  for road in "${STARTED_ROADS[@]}"; do
    wine_road_env "$road" "$BUILD"
    stop_wineserver
  done
  STARTED_ROADS=()
}

# ---------------------------------------------------------------- virtual display
XVFB_PID=""
start_display() {
  local n
  for n in $(seq 91 120); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    sleep 0.5
    if kill -0 "$XVFB_PID" 2>/dev/null; then
      export KIVRA_XVFB_DISPLAY=":$n"
      return
    fi
  done
  die "no virtual display could be started"
}

stop_display() { [ -z "$XVFB_PID" ] || kill "$XVFB_PID" 2>/dev/null || true; XVFB_PID=""; }

cleanup() { stop_started_wineservers; stop_display; }

# ---------------------------------------------------------------- running programs
# Windows form of a Linux path (the prefix maps Z: to /).
winpath() { local p; p=$(readlink -m "$1"); echo "Z:${p//\//\\}"; }

# wine_run PROGRAM ARGS...: a program (ours or Wine's own) on the drivers' road.
wine_run() { "$ROOT/cmake/wine-run" "${WINE_RUN_FLAGS[@]}" "$@"; }

# Runs a program of the road's dist/ under Wine with the suite's DLLs on its search path.
run_dist() {  # run_dist [--display] tools/x.exe ARGS...
  local display=0
  [ "${1:-}" = --display ] && { display=1; shift; }
  choose_driver_road
  local name=$1; shift
  local program=$DIST/$name
  [ -f "$program" ] || cmd_build >&2
  ensure_prefix
  if [ "$display" = 1 ] && [ -z "${KIVRA_XVFB_DISPLAY:-}" ] && [ -z "${DISPLAY:-}" ]; then
    trap cleanup EXIT
    start_display
  fi
  local rc=0
  WINEPATH="$(winpath "$DIST")" KIVRA_NEEDS_DISPLAY=$display \
    timeout -k 5 "$KIVRA_WINE_RUN_SECONDS" "$ROOT/cmake/wine-run" "${WINE_RUN_FLAGS[@]}" "$program" "$@" || rc=$?
  if [ "$rc" = 124 ] || [ "$rc" = 137 ]; then
    echo "error: $name did not end within $KIVRA_WINE_RUN_SECONDS s under Wine ($KIVRA_ROAD); stopped" >&2
  fi
  return "$rc"
}

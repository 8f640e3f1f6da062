#!/usr/bin/env bash
# ./dev where Wine cannot start: the roads follow what really runs, and every failure to make
# a prefix or start a program ends within seconds with Wine's message and the loader tried,
# leaving no stub prefix behind. Run by `./dev test` after the builds; the demo runs what is
# built (KIVRA_NO_BUILD=1), so only Wine's start is timed.
set -uo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# Nothing of the calling run's answers: each case probes for itself.
unset KIVRA_WIN32_RUNS KIVRA_WIN32_WHY KIVRA_ROADS_ANNOUNCED KIVRA_DRIVER_ROAD KIVRA_FORCE_X64 \
  KIVRA_NO_WIN32 KIVRA_REQUIRE_WIN32 KIVRA_XVFB_DISPLAY KIVRA_ROAD KIVRA_WINE_PREFIX_ROOT \
  KIVRA_WINE32_LOADER KIVRA_WINE64_LOADER WINEPREFIX WINEARCH WINELOADER
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0

fail() { echo "  FAIL: $*" >&2; failures=$((failures + 1)); }
pass() { echo "  ok: $*" >&2; }

# run NAME SECONDS ENV... -- ARGS...: ./dev ARGS with ENV; sets rc, err (stderr) and took (s).
run() {
  local name=$1 bound=$2; shift 2
  local env=()
  while [ "$1" != -- ]; do env+=("$1"); shift; done
  shift
  local start=$SECONDS
  env KIVRA_NO_BUILD=1 "${env[@]}" timeout -k 5 "$bound" "$ROOT/dev" "$@" >"$scratch/$name.out" 2>"$scratch/$name.err" </dev/null
  rc=$?
  took=$((SECONDS - start))
  err=$(cat "$scratch/$name.err")
  [ "$rc" != 124 ] || fail "$name: still running after $bound s"
}

expect_text() {  # expect_text NAME TEXT
  case $err in *"$2"*) ;; *) fail "$1: no \"$2\" in: $(tail -n 5 "$scratch/$1.err")" ; return 1 ;; esac
}

# A loader the processor cannot run, as a machine without 32-bit user mode answers.
{ printf '\177ELF\002\001\001'; head -c 57 /dev/zero; } >"$scratch/foreign-loader"
chmod +x "$scratch/foreign-loader"

echo "roads chosen from what runs" >&2
run no-win32 60 KIVRA_NO_WIN32=1 -- roads
expect_text no-win32 "Windows roads: win64 only" && expect_text no-win32 "64-bit suite (dist/x64)" &&
  pass "KIVRA_NO_WIN32=1 gives the 64-bit road"
run foreign 60 KIVRA_WINE32_LOADER="$scratch/foreign-loader" -- roads
expect_text foreign "win32 is not run: the 32-bit loader $scratch/foreign-loader does not start" &&
  expect_text foreign "Exec format error" && pass "a 32-bit loader that cannot execute is found by running it"
run missing 60 KIVRA_WINE32_LOADER="$scratch/no-such-loader" -- roads
expect_text missing "the 32-bit loader $scratch/no-such-loader is not installed" &&
  pass "a 32-bit loader that is not there is named as not installed"
run require 60 KIVRA_NO_WIN32=1 KIVRA_REQUIRE_WIN32=1 -- test
if [ "$rc" != 0 ] && [ "$took" -le 30 ]; then
  expect_text require "KIVRA_REQUIRE_WIN32=1" && pass "KIVRA_REQUIRE_WIN32=1 fails at once without 32-bit code"
else
  fail "require: exit status $rc after $took s"
fi

echo "a broken Wine ends the demo with its message" >&2
# A loader that fails at once: the prefix cannot be made.
run false-loader 120 KIVRA_NO_WIN32=1 KIVRA_WINE64_LOADER=/bin/false KIVRA_WINE_PREFIX_ROOT="$scratch/p1" -- demo
if [ "$rc" != 0 ] && [ ! -e "$scratch/p1/wine-win64" ]; then
  expect_text false-loader "Wine could not make the win64 prefix" && expect_text false-loader "loader tried: /bin/false" &&
    pass "a failing loader ends the demo after $took s, no stub left"
else
  fail "false-loader: exit status $rc, prefix left: $(ls "$scratch/p1" 2>&1)"
fi

# A loader that says it made the prefix but leaves a stub (as wineboot does where 32-bit
# code cannot run), with Wine's own complaint on its error output.
cat >"$scratch/stub-loader" <<'STUB'
#!/bin/sh
mkdir -p "$WINEPREFIX"
head -c 177 /dev/zero >"$WINEPREFIX/system.reg"
echo "wine: could not load kernel32.dll, status c0000135" >&2
exit 0
STUB
chmod +x "$scratch/stub-loader"
run stub-loader 120 KIVRA_WINE32_LOADER=/bin/false KIVRA_WINE64_LOADER="$scratch/stub-loader" \
  KIVRA_WINE_PREFIX_ROOT="$scratch/p2" -- demo
if [ "$rc" != 0 ] && [ ! -e "$scratch/p2/wine-win64" ]; then
  expect_text stub-loader "the prefix is incomplete" && expect_text stub-loader "could not load kernel32.dll" &&
    pass "a stub prefix is refused with Wine's message and removed"
else
  fail "stub-loader: exit status $rc, prefix left: $(ls -a "$scratch/p2/wine-win64" 2>&1)"
fi

# A stub left by an earlier run is removed before the prefix is made again.
mkdir -p "$scratch/p3/wine-win64" && head -c 177 /dev/zero >"$scratch/p3/wine-win64/system.reg"
run old-stub 120 KIVRA_NO_WIN32=1 KIVRA_WINE64_LOADER=/bin/false KIVRA_WINE_PREFIX_ROOT="$scratch/p3" -- demo
if [ "$rc" != 0 ] && [ ! -e "$scratch/p3/wine-win64" ]; then
  expect_text old-stub "removing an unfinished win64 Wine prefix" && pass "an earlier stub is removed, no wait on a server"
else
  fail "old-stub: exit status $rc"
fi

# A loader that never answers: the bound ends it.
printf '#!/bin/sh\nexec sleep 600\n' >"$scratch/hanging-loader"
chmod +x "$scratch/hanging-loader"
run hanging 120 KIVRA_NO_WIN32=1 KIVRA_WINE64_LOADER="$scratch/hanging-loader" KIVRA_WINEBOOT_SECONDS=3 \
  KIVRA_WINE_PREFIX_ROOT="$scratch/p4" -- demo
if [ "$rc" != 0 ] && [ ! -e "$scratch/p4/wine-win64" ]; then
  expect_text hanging "no answer within 3 s" && pass "a hanging wineboot is stopped at its bound"
else
  fail "hanging: exit status $rc"
fi

# A made prefix whose programs do not start: the first program of the run says so.
if [ -f "$ROOT/build/wine-win64/.kivra-prefix-made" ]; then
  run no-start 120 KIVRA_NO_WIN32=1 KIVRA_WINE64_LOADER=/bin/false -- demo
  if [ "$rc" != 0 ]; then
    expect_text no-start "Wine does not start programs on the win64 road" && pass "a loader that fails in a made prefix ends the demo after $took s"
  else
    fail "no-start: exit status $rc"
  fi
else
  echo "  (no made win64 prefix yet: the start check is not tried)" >&2
fi

# The road's server stays for the whole run even when a program had started one on demand
# just before (as setting up a new prefix does): such a server ends with its last program,
# so every gap between tests would start Wine's services again and cut off a program that
# came as it ended.
echo "one server for the whole run" >&2
if [ -f "$ROOT/build/wine-win64/.kivra-prefix-made" ]; then
  servers=$(
    say() { :; }
    BUILD=$ROOT/build
    # shellcheck source=../lib/roads.sh
    . "$ROOT/scripts/lib/roads.sh"
    use_road win64
    stop_wineserver
    timeout -k 5 60 "$KIVRA_WINE_LOADER" cmd /c exit >/dev/null 2>&1 </dev/null
    start_persistent_server
    before=$(pgrep -x -f "$WINESERVER -p")
    sleep 3
    timeout -k 5 60 "$KIVRA_WINE_LOADER" cmd /c exit >/dev/null 2>&1 </dev/null
    after=$(pgrep -x -f "$WINESERVER -p")
    stop_wineserver
    echo "${before:-none} ${after:-none}"
  )
  read -r before after <<<"$servers"
  if [ "$before" != none ] && [ "$before" = "$after" ]; then
    pass "the persistent server replaces one started on demand and outlives the gaps between programs"
  else
    fail "server: persistent one before the gap: $before, after it: $after"
  fi
else
  echo "  (no made win64 prefix yet: the server is not tried)" >&2
fi

# A program that crashes on the display ends with the debugger's backtrace instead of waiting
# on a crash dialog nobody closes (which would also hold ctest's output pipe open).
echo "a crashing program ends" >&2
printf 'int main(void) { volatile int* p = 0; *p = 1; return 0; }\n' >"$scratch/crash.c"
if [ -f "$ROOT/build/wine-win64/.kivra-prefix-made" ] &&
  x86_64-w64-mingw32-gcc -o "$scratch/crash.exe" "$scratch/crash.c" 2>/dev/null; then
  display=""
  for n in $(seq 121 140); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    sleep 0.5
    kill -0 "$xvfb" 2>/dev/null && { display=":$n"; break; }
  done
  start=$SECONDS
  KIVRA_XVFB_DISPLAY=$display timeout -k 5 60 "$ROOT/cmake/wine-run" --win64 "$scratch/crash.exe" \
    >"$scratch/crash.out" 2>&1 </dev/null
  rc=$?
  kill "$xvfb" 2>/dev/null
  # The exit status is the debugger's race with the dying process: mostly the fault's code,
  # now and then 0 on a loaded machine. What matters is that it ends, with the report.
  if [ "$rc" != 124 ] && [ "$rc" != 137 ] && grep -q "Unhandled page fault" "$scratch/crash.out"; then
    pass "a crash on the display ends after $((SECONDS - start)) s with Wine's report"
  else
    fail "crash: exit status $rc: $(head -n 3 "$scratch/crash.out")"
  fi
else
  echo "  (no made win64 prefix or no x86_64 compiler: the crash is not tried)" >&2
fi

[ "$failures" = 0 ] || { echo "wine-start-test: $failures failed" >&2; exit 1; }
echo "wine-start-test: all passed" >&2

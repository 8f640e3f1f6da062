#!/usr/bin/env bash
# The drivers print the same documents on both suites: the 32-bit one (dist/) and the 64-bit
# one (dist/x64/, `--x64`), for tables, solids, thumbnails and profiles. Needs both builds and
# a machine that runs 32-bit code; elsewhere it says so and checks the 64-bit road alone.
set -uo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
SHARED=$ROOT/../shared/testdata
unset KIVRA_DRIVER_ROAD KIVRA_FORCE_X64 KIVRA_ROADS_ANNOUNCED KIVRA_ROAD WINEPREFIX WINEARCH WINELOADER
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "  FAIL: $*" >&2; failures=$((failures + 1)); }

. "$ROOT/scripts/lib/wine-env.sh"
# The 32-bit road is compared only where it runs (the caller's probe, or the loader itself).
if [ -z "${KIVRA_WIN32_RUNS:-}" ]; then
  KIVRA_WIN32_RUNS=0
  [ "${KIVRA_NO_WIN32:-0}" != 1 ] && timeout 30 /usr/lib/wine/wine --version >/dev/null 2>&1 && KIVRA_WIN32_RUNS=1
fi

# One command a line, its arguments separated by "|" (the profiles key holds blanks).
key='Software\KivraTests\DriverRoads\Kivra 2013\ENU\Profiles'
commands=(
  "plotstyle|dump|$SHARED/ctb/ezdxf-ctbtest.ctb"
  "modeler|info"
  "modeler|stats|$SHARED/sat/v700_cylinder_material.sat"
  "thumbnail|$(ls "$SHARED"/dwg/*.dwg | head -n 1)|96|96|@OUT@.bmp"
  "profiles|$key|create|Base"
  "profiles|$key|create|Work|A description"
  "profiles|$key|set-current|Base"
  "profiles|$key|remove|Work"
  "profiles|$key|list"
)

forget_profiles() {  # forget_profiles [--win64]: the scratch key of an earlier or this run
  "$ROOT/cmake/wine-run" "$@" reg delete 'HKCU\Software\KivraTests\DriverRoads' /f >/dev/null 2>&1 || true
}

run_all() {  # run_all LABEL DEV_ARGS...: every command; outputs in $scratch/LABEL.N
  local label=$1; shift
  local i=0 c args
  for c in "${commands[@]}"; do
    i=$((i + 1))
    IFS='|' read -ra args <<<"${c//@OUT@/$scratch/$label.$i}"
    if ! timeout -k 5 300 "$ROOT/dev" "$@" "${args[@]}" >"$scratch/$label.$i" 2>"$scratch/$label.$i.err"; then
      fail "$label: ./dev $* ${args[*]}: $(tail -n 3 "$scratch/$label.$i.err")"
    fi
  done
}

forget_profiles --win64
run_all x64 --x64
forget_profiles --win64
if [ "$KIVRA_WIN32_RUNS" != 1 ]; then
  echo "driver-roads-test: 32-bit code does not run here; the 64-bit road alone was run" >&2
else
  forget_profiles
  run_all x86
  forget_profiles
  for i in $(seq 1 ${#commands[@]}); do
    cmp -s "$scratch/x86.$i" "$scratch/x64.$i" ||
      fail "${commands[$((i - 1))]//|/ }: the suites differ: $(diff "$scratch/x86.$i" "$scratch/x64.$i" | head -n 4)"
  done
  cmp -s "$scratch/x86.4.bmp" "$scratch/x64.4.bmp" || fail "the thumbnails differ between the suites"
fi
[ "$failures" = 0 ] || { echo "driver-roads-test: $failures failed" >&2; exit 1; }
echo "driver-roads-test: the drivers agree" >&2

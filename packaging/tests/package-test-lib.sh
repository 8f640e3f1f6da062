# Shared by the installer packages' tests: checks that count failures, the files a package
# must install (written out here, not derived the way the package derives them), and a
# scratch folder below build/ that goes again at the end.
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
BUILD=$ROOT/build
# shellcheck source=../../scripts/lib/package.sh
. "$ROOT/scripts/lib/package.sh"

failures=0
checks=0
fail() { echo "  FAIL: $*" >&2; failures=$((failures + 1)); checks=$((checks + 1)); }
pass() { echo "  ok: $*" >&2; checks=$((checks + 1)); }
section() { echo "$*" >&2; }

# expect_same WHAT EXPECTED_FILE GOT_FILE: passes when the two files are equal, else shows
# the difference.
expect_same() {
  if cmp -s "$2" "$3"; then
    pass "$1"
  else
    fail "$1"
    diff "$2" "$3" | head -n 30 | sed 's/^/    /' >&2
  fi
}

finish() {
  local name=$1
  if [ "$failures" = 0 ]; then
    echo "$name: all $checks checks passed" >&2
    return 0
  fi
  echo "$name: $failures of $checks checks failed" >&2
  return 1
}

# A folder below build/ for one test run; removed on exit unless KIVRA_KEEP_SCRATCH=1.
make_scratch() {
  mkdir -p "$BUILD"
  SCRATCH=$(mktemp -d "$BUILD/package-test.XXXXXX")
}
remove_scratch() {
  [ -n "${SCRATCH:-}" ] || return 0
  if [ "${KIVRA_KEEP_SCRATCH:-0}" = 1 ]; then
    echo "scratch kept: $SCRATCH" >&2
  else
    rm -rf "$SCRATCH"
  fi
}

# The files a package installs for ARCH, as paths below its folder. The 32-bit suite: the
# deliverables, the libraries they import (VexoCommon for the thumbnail server; Stratum and
# SolidKernel, the host database and kernel the modeler links; VexoUtils, the table component
# of the editor and its launcher) or load (VexoRes, the editor's help texts), every resource
# library and the help. The 64-bit part: the thumbnail server and its library.
expected_files() {  # expected_files ARCH
  if [ "$1" = x64 ]; then
    printf '%s\n' Vistrel.dll VexoCommon.dll
  else
    printf '%s\n' Wendmark.exe Brantle.exe Quellon.dll Solvane.dll Vistrel.dll VexoUtils.dll VexoCommon.dll Stratum.dll \
      SolidKernel.dll VexoRes.dll
    (cd "$ROOT/dist" && find lang Help -type f)
  fi | LC_ALL=C sort
}

# The Start-menu entries a package makes.
expected_menu() {
  {
    echo Wendmark
    echo Brantle
  } | LC_ALL=C sort
}

# A version lower than VERSION in the three numbers Windows Installer compares.
lower_version() {
  local a b c d
  IFS=. read -r a b c d <<<"$1"
  if [ "$c" -gt 0 ]; then echo "$a.$b.$((c - 1)).$d"
  elif [ "$b" -gt 0 ]; then echo "$a.$((b - 1)).$c.$d"
  else echo "$((a - 1)).$b.$c.$d"; fi
}

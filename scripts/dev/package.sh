# ./dev package: the installer packages of the suite, built from dist/ and dist/x64/ into
# build/Kivra-Companions-<version>-x86.msi (32-bit Windows) and -x64.msi (64-bit Windows:
# the 32-bit suite and the 64-bit shell extension). Prints each package's path and size as
# JSON. KIVRA_NO_BUILD=1 packages what dist/ holds without building first.
# shellcheck source=../lib/package.sh
. "$ROOT/scripts/lib/package.sh"

driver_package() {
  if [ $# -ne 0 ]; then
    echo "usage: ./dev package" >&2
    return 2
  fi
  if [ "${KIVRA_NO_BUILD:-0}" != 1 ]; then
    cmd_build >&2
  fi
  local arch out first=1
  echo "["
  for arch in x86 x64; do
    out=$(package_path "$arch")
    make_package "$arch" "$out" || return 1
    [ "$first" = 1 ] || echo ","
    first=0
    printf '  {"package": "%s", "architecture": "%s", "bytes": %s}' "$out" "$arch" "$(stat -c %s "$out")"
  done
  printf '\n]\n'
}

demo_90_package() {
  say "package: the installer packages, from dist/ and dist/x64/"
  KIVRA_NO_BUILD=1 driver_package
}

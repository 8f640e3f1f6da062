#!/usr/bin/env bash
# A package of one road installed, repaired, upgraded and removed under Wine, in a prefix
# made for the run (so the comparison with regsvr32 starts from a clean registry and the
# road's own prefix is never touched):
#   package-install-test.sh win32   the x86 package under 32-bit Wine
#   package-install-test.sh win64   the x64 package under 64-bit Wine (and the x86 package
#                                   refused there)
# The registry rows must equal what the servers' own registration writes through regsvr32
# (plus the approved-extension entry), the shell-like client must get its thumbnails from
# the installed server by class identifier, removal must leave a user's profile key and
# table, and upgrades must leave one installed product.
set -uo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/package-test-lib.sh"

road=${1:?usage: package-install-test.sh win32|win64}
say() { printf '==> %s\n' "$*" >&2; }
# shellcheck source=../../scripts/lib/roads.sh
. "$ROOT/scripts/lib/roads.sh"
probe_win32

arch=x86
[ "$road" = win64 ] && arch=x64
if [ "$road" = win32 ] && [ "$KIVRA_WIN32_RUNS" != 1 ]; then
  echo "package-install-test: the win32 road does not run here: $KIVRA_WIN32_WHY" >&2
  exit 1
fi
# 32-bit programs in the 64-bit prefix (32-bit Explorer's road) where 32-bit code runs.
wow=0
[ "$road" = win64 ] && [ "$KIVRA_WIN32_RUNS" = 1 ] && wow=1

make_scratch
export KIVRA_WINE_PREFIX_ROOT=$SCRATCH
cleanup_all() { stop_started_wineservers; remove_scratch; }
trap cleanup_all EXIT
use_road "$road"
ensure_prefix
start_wineserver
section "a prefix of its own made and started ($SECONDS s)"

WINE32=${KIVRA_WINE32_LOADER:-/usr/lib/wine/wine}
bounded() { timeout -k 5 120 "$@" </dev/null; }
wine_do() { bounded "$KIVRA_WINE_LOADER" "$@"; }          # a program of the road's own bitness
wine32_do() { bounded "$WINE32" "$@"; }                   # a 32-bit program in the 64-bit prefix
msiexec_do() { wine_do msiexec "$@" /qn >/dev/null 2>&1; }

# ---------------------------------------------------------------- where things are
drive=$WINEPREFIX/drive_c
if [ "$road" = win64 ]; then
  folder32="C:\\Program Files (x86)\\Oremund\\Kivra 2013"
  folder64="C:\\Program Files\\Oremund\\Kivra 2013"
  linux32="$drive/Program Files (x86)/Oremund/Kivra 2013"
  linux64="$drive/Program Files/Oremund/Kivra 2013"
else
  folder32="C:\\Program Files\\Oremund\\Kivra 2013"
  linux32="$drive/Program Files/Oremund/Kivra 2013"
fi
dist32=$(winpath "$ROOT/dist")
dist64=$(winpath "$ROOT/dist/x64")

# ---------------------------------------------------------------- the registry as text
CLASS='{22C88570-8419-4CD6-B37A-5350D847AAF0}'
OUR_KEYS=(
  'HKCR\ThumbVistrel.Extractor.1' 'HKCR\ThumbVistrel.Extractor' "HKCR\\CLSID\\$CLASS" 'HKCR\.dwg'
  'HKCR\TypeLib\{4C207FB9-04D1-422A-9157-D7858EAE8D83}' 'HKCR\Interface\{749E7AA9-29C4-42D1-AD64-6C91A7FC2BB3}'
)
APPROVED='HKLM\Software\Microsoft\Windows\CurrentVersion\Shell Extensions\Approved'

# reg_lines: `reg query KEY /s` output as "KEY|NAME|TYPE|DATA" lines ("KEY|" for a key),
# with the suite's folders written as <x86> and <x64> whether dist/'s or the installed ones.
reg_lines() {
  tr -d '\r' | awk '
    /^HKEY_/ { key = $0; print key "|"; next }
    /^    / { line = substr($0, 5); n = index(line, "    "); name = substr(line, 1, n - 1)
              rest = substr(line, n + 4); m = index(rest, "    ")
              if (m == 0) { type = rest; data = "" } else { type = substr(rest, 1, m - 1); data = substr(rest, m + 4) }
              print key "|" name "|" type "|" data }' |
    while IFS= read -r line; do
      line=${line//"$dist64"/<x64>}
      line=${line//"$dist32"/<x86>}
      [ -n "${folder64:-}" ] && line=${line//"$folder64"/<x64>}
      line=${line//"$folder32"/<x86>}
      printf '%s\n' "$line"
    done
}

# dump_view 64|32: the keys registration touches, as one bitness of programs sees them.
dump_view() {
  local k
  for k in "${OUR_KEYS[@]}"; do
    if [ "$1" = 32 ] && [ "$road" = win64 ]; then
      wine32_do 'C:\windows\syswow64\reg.exe' query "$k" /s 2>/dev/null
    else
      wine_do reg query "$k" /s 2>/dev/null
    fi | reg_lines
  done
  if [ "$1" = 32 ] && [ "$road" = win64 ]; then
    wine32_do 'C:\windows\syswow64\reg.exe' query "$APPROVED" /v "$CLASS" 2>/dev/null
  else
    wine_do reg query "$APPROVED" /v "$CLASS" 2>/dev/null
  fi | reg_lines | grep -F "|$CLASS|" || true
}

# The views this run can read: the 64-bit prefix's two where 32-bit code runs.
VIEWS=(32)
[ "$road" = win64 ] && VIEWS=(64) && [ "$wow" = 1 ] && VIEWS=(64 32)
dump_all() {  # dump_all NAME: one file per view, NAME.64 and NAME.32
  local v
  for v in "${VIEWS[@]}"; do dump_view "$v" >"$SCRATCH/$1.$v"; done
}

# Products of ours Windows Installer lists, as "CODE VERSION" lines.
products() {
  wine_do reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null | tr -d '\r' | awk '
    /^HKEY_/ { n = split($0, p, "\\"); code = p[n]; name = ""; version = ""; next }
    /^    DisplayName / && /Kivra Companions$/ { ours[code] = 1 }
    /^    DisplayVersion / { v[code] = $NF }
    END { for (c in ours) print c, v[c] }' | LC_ALL=C sort
}

# The installed files of a folder (Linux path), relative and sorted.
tree_of() { [ -d "$1" ] && (cd "$1" && find . -type f | sed 's|^\./||' | LC_ALL=C sort); }

# ---------------------------------------------------------------- checks
check_files() {  # check_files WHAT
  local ok=1 f
  tree_of "$linux32" >"$SCRATCH/got32"
  expected_files x86 >"$SCRATCH/want32"
  cmp -s "$SCRATCH/want32" "$SCRATCH/got32" || ok=0
  while IFS= read -r f; do cmp -s "$ROOT/dist/$f" "$linux32/$f" || { ok=0; echo "    differs from dist/: $f" >&2; }; done <"$SCRATCH/want32"
  if [ "$arch" = x64 ]; then
    tree_of "$linux64" >"$SCRATCH/got64"
    expected_files x64 >"$SCRATCH/want64"
    cmp -s "$SCRATCH/want64" "$SCRATCH/got64" || ok=0
    while IFS= read -r f; do cmp -s "$ROOT/dist/x64/$f" "$linux64/$f" || { ok=0; echo "    differs from dist/x64/: $f" >&2; }; done <"$SCRATCH/want64"
  fi
  if [ "$ok" = 1 ]; then
    pass "$1: every file in its folder, as dist/ has it ($(wc -l <"$SCRATCH/want32") in the 32-bit folder${linux64:+, $(wc -l <"$SCRATCH/want64" 2>/dev/null) in the 64-bit one})"
  else
    fail "$1: installed files"
    diff "$SCRATCH/want32" "$SCRATCH/got32" | sed 's/^/    /' >&2
    [ "$arch" = x64 ] && diff "$SCRATCH/want64" "$SCRATCH/got64" | sed 's/^/    /' >&2
  fi
}

# The Start-menu folder Wine gave the package (the common or the user's).
menu_folder() {
  find "$drive/ProgramData/Microsoft/Windows/Start Menu/Programs" "$drive/users" -type d -name 'Kivra Companions' 2>/dev/null | head -n 1
}

check_menu() {  # check_menu WHAT
  local folder got want m ok=1
  folder=$(menu_folder)
  got=$( [ -n "$folder" ] && (cd "$folder" && ls) | LC_ALL=C sort | tr '\n' ' ')
  want=$(expected_menu | sed 's/$/.lnk/' | tr '\n' ' ')
  [ "$got" = "$want" ] || ok=0
  for m in $(expected_menu); do
    # The link names the installed program (its path is kept as text in the link).
    [ -f "$folder/$m.lnk" ] && grep -qaF "Kivra 2013\\$m.exe" "$folder/$m.lnk" || ok=0
  done
  [ "$ok" = 1 ] && pass "$1: Start-menu entries $got pointing at the installed programs" || fail "$1: Start-menu entries '$got' (want '$want')"
}

check_registry() {  # check_registry WHAT EXPECTED_NAME
  local v
  dump_all now
  for v in "${VIEWS[@]}"; do
    expect_same "$1: the $v-bit programs' registry" "$SCRATCH/$2.$v" "$SCRATCH/now.$v"
  done
}

# The shell-like client of one bitness, in the prefix, by class identifier only.
check_client() {  # check_client BITS WHAT
  local exe=$ROOT/dist/tools/vistrel-shell-client.exe server=$folder32 out rc=0 run=wine32_do
  if [ "$1" = 64 ]; then exe=$ROOT/dist/x64/tools/vistrel-shell-client.exe server=$folder64 run=wine_do; fi
  [ "$road" = win32 ] && run=wine_do
  local drawings=() d
  for d in AC1014_libredwg_r14_Leader AC1027_libredwg_2013_Line AC1009_libredwg_r11_entities-2d; do
    drawings+=("$(winpath "$ROOT/../shared/testdata/dwg/$d.dwg")")
  done
  out=$($run "$(winpath "$exe")" 96 96 "${drawings[@]}" 2>&1 | tr -d '\r') || rc=$?
  local got
  got=$(sed -n 's/.*"server": "\([^"]*\)".*/\1/p' <<<"$out" | sed 's/\\\\/\\/g')
  if [ "$rc" = 0 ] && [ "${got,,}" = "${server,,}\\vistrel.dll" ] && [ "$(grep -c '"same_as_rendered": true' <<<"$out")" = 3 ]; then
    pass "$2: the $1-bit client gets 3 thumbnails, equal to the rendering, from $got"
  else
    fail "$2: the $1-bit client (exit status $rc, server '$got')"
    sed 's/^/    /' <<<"$out" | head -n 12 >&2
  fi
}

# ---------------------------------------------------------------- the packages
version=$(package_version) || exit 1
lower=$(lower_version "$version")
make_package "$arch" "$SCRATCH/current.msi" || { fail "the $arch package cannot be built"; finish package-install-test; exit; }
make_package "$arch" "$SCRATCH/rebuilt.msi" || fail "the $arch package cannot be built again"
make_package "$arch" "$SCRATCH/lower.msi" "$lower" || fail "the $arch package cannot be built as $lower"
[ "$road" = win64 ] && { make_package x86 "$SCRATCH/x86.msi" || fail "the x86 package cannot be built"; }
package=$(winpath "$SCRATCH/current.msi")
section "packages built ($SECONDS s)"

# Another program's share of .dwg: its document type and a thumbnail handler of its own.
seed_others() {
  local add=(wine_do reg add)
  "${add[@]}" 'HKCR\.dwg' /ve /d 'Other.Drawing' /f >/dev/null 2>&1
  "${add[@]}" 'HKCR\.dwg\shellex\{E357FCCD-A995-4576-B01F-234630154E96}' /ve /d '{11111111-2222-3333-4444-555555555555}' /f >/dev/null 2>&1
}
seed_others
dump_all before

# ---------------------------------------------------------------- what registration writes
section "regsvr32 in the clean prefix: the reference"
regsvr32_all() {  # regsvr32_all [/u]
  local rc=0
  if [ "$road" = win64 ]; then
    wine_do regsvr32 /s "$@" "$dist64\\Vistrel.dll" || rc=1
    [ "$wow" = 1 ] && { wine32_do 'C:\windows\syswow64\regsvr32.exe' /s "$@" "$dist32\\Vistrel.dll" || rc=1; }
  else
    wine_do regsvr32 /s "$@" "$dist32\\Vistrel.dll" || rc=1
  fi
  return $rc
}
regsvr32_all && pass "regsvr32 registers dist/'s server(s)" || fail "regsvr32 failed"
dump_all registered
regsvr32_all /u || fail "regsvr32 /u failed"
dump_all unregistered
for v in "${VIEWS[@]}"; do
  expect_same "regsvr32 /u leaves the $v-bit registry as it was" "$SCRATCH/before.$v" "$SCRATCH/unregistered.$v"
  # The package adds the shell's approval of the extension to what registration writes.
  { cat "$SCRATCH/registered.$v"
    printf '%s\n' "HKEY_LOCAL_MACHINE\\${APPROVED#HKLM\\}|"
    printf '%s\n' "HKEY_LOCAL_MACHINE\\${APPROVED#HKLM\\}|$CLASS|REG_SZ|Vistrel Thumbnail Extractor Class"
  } | grep -v '^$' >"$SCRATCH/expected.$v"
done
[ "$wow" = 1 ] || [ "$road" = win32 ] ||
  note "32-bit code does not run here: the 32-bit server's rows are not compared with its regsvr32 (the win32 road does that)"

if [ "$road" = win64 ]; then
  section "the x86 package on 64-bit Windows"
  msiexec_do /i "$(winpath "$SCRATCH/x86.msi")" && fail "the x86 package installed on 64-bit Windows" ||
    { [ -z "$(products)" ] && [ ! -e "$linux32" ] && pass "the x86 package refuses 64-bit Windows and installs nothing" ||
      fail "the refused x86 package left something: $(products)"; }
fi

# ---------------------------------------------------------------- install
section "install"
msiexec_do /i "$package" && pass "msiexec /i $(basename "$SCRATCH/current.msi") exits 0" || fail "msiexec /i failed"
installed=$(products)
[ "$(wc -l <<<"$installed")" = 1 ] && [ "${installed#* }" = "$version" ] && pass "one product installed: $installed" ||
  fail "installed products: '$installed'"
check_files install
check_registry "install: registry equals regsvr32's plus the approval" expected
dump_all installed
check_menu install
[ "$road" = win64 ] && check_client 64 install
{ [ "$road" = win32 ] || [ "$wow" = 1 ]; } && check_client 32 install

# ---------------------------------------------------------------- repair
section "the same package again repairs"
rm -f "$linux32/Vistrel.dll" "$linux32/lang/ENU/QuellonRes.dll"
[ "$arch" = x64 ] && rm -f "$linux64/Vistrel.dll"
wine_do reg delete "HKCR\\CLSID\\$CLASS\\InprocServer32" /f >/dev/null 2>&1
wine_do reg delete 'HKCR\.dwg\shellex\{BB2E617C-0920-11d1-9A0B-00C04FC2D6C1}' /f >/dev/null 2>&1
rm -f "$(menu_folder)/Wendmark.lnk"
msiexec_do /i "$package" && pass "msiexec /i of the installed package exits 0" || fail "msiexec /i again failed"
check_files repair
check_registry "repair" installed
check_menu repair
[ "$(products)" = "$installed" ] && pass "repair: still the one product" || fail "repair: products '$(products)'"

# ---------------------------------------------------------------- uninstall
section "uninstall leaves the user's data"
profile='HKCU\Software\Oremund\Kivra 2013\ENU\Profiles\Package Test\Config'
wine_do reg add "$profile" /v PlotStyle /d "$folder32" /f >/dev/null 2>&1
# A table saved where the launcher works when no profile names a folder: the program folder.
cp "$ROOT/../shared/testdata/ctb/ezdxf-color.ctb" "$linux32/Mine.ctb"
msiexec_do /x "$package" && pass "msiexec /x exits 0" || fail "msiexec /x failed"
left=$(tree_of "$linux32" | tr '\n' ' ')
[ "$left" = "Mine.ctb " ] && cmp -s "$ROOT/../shared/testdata/ctb/ezdxf-color.ctb" "$linux32/Mine.ctb" &&
  pass "the user's table stays, alone, in the program folder" || fail "left in the program folder: '$left'"
if [ "$arch" = x64 ]; then
  [ ! -e "$drive/Program Files/Oremund" ] && pass "the 64-bit folder is gone with its parent" || fail "left: $(find "$drive/Program Files/Oremund" | head)"
fi
[ -z "$(menu_folder)" ] && pass "the Start-menu folder is gone" || fail "Start-menu folder left: $(menu_folder)"
[ "$(wine_do reg query "$profile" /v PlotStyle 2>/dev/null | tr -d '\r' | grep -c PlotStyle)" = 1 ] &&
  pass "the profile key stays" || fail "the profile key is gone"
check_registry "uninstall: nothing of ours in the registry, the other program's .dwg entries kept" before
[ -z "$(products)" ] && pass "no product installed" || fail "products left: $(products)"
rm -f "$linux32/Mine.ctb"

# ---------------------------------------------------------------- upgrades
section "upgrades"
msiexec_do /i "$(winpath "$SCRATCH/lower.msi")" && [ "$(products | cut -d' ' -f2)" = "$lower" ] &&
  pass "version $lower installed" || fail "version $lower: '$(products)'"
msiexec_do /i "$package" && pass "the $version package over $lower exits 0" || fail "upgrade from $lower failed"
upgraded=$(products)
[ "$(wc -l <<<"$upgraded")" = 1 ] && [ "${upgraded#* }" = "$version" ] && pass "one product after the upgrade: $upgraded" ||
  fail "after the upgrade: '$upgraded'"
check_files upgrade
check_registry "upgrade: the registry of a new installation" installed
msiexec_do /i "$(winpath "$SCRATCH/rebuilt.msi")" && pass "a rebuilt $version package over the installed one exits 0" || fail "the rebuilt package failed"
rebuilt=$(products)
[ "$(wc -l <<<"$rebuilt")" = 1 ] && [ "$rebuilt" != "$upgraded" ] && pass "it replaced the installed product: $rebuilt" ||
  fail "after the rebuilt package: '$rebuilt'"
msiexec_do /i "$(winpath "$SCRATCH/lower.msi")" && fail "version $lower installed over $version" ||
  { [ "$(products)" = "$rebuilt" ] && pass "version $lower is refused over $version" || fail "after the refused downgrade: '$(products)'"; }
check_files "after the refused downgrade"
msiexec_do /x "$(winpath "$SCRATCH/rebuilt.msi")" || fail "msiexec /x of the rebuilt package failed"
[ -z "$(products)" ] && [ ! -e "$linux32" ] && pass "removed again, nothing left" || fail "left: '$(products)', $(tree_of "$linux32" | head -n 3)"
check_registry "removed again" before

section "done in $SECONDS s"
finish "package-install-test $road"

#!/usr/bin/env bash
# The installer packages. Their tables (msidump): every file of the package is a deliverable,
# a library one of them needs or their resources, with its size, in a component of the
# feature, component identifiers the same between builds. Then under 64-bit Wine, in a prefix
# of this test's own: an older package installed and upgraded, every file in its folder, the
# registry rows equal to what the server's registration writes there, thumbnails through the
# installed servers by class, a second installation of the same version repairing, an older
# one refused, and removal taking everything of ours and nothing of the user's. Run by
# `./dev test` after the builds (it packages what dist/ holds).
set -uo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# shellcheck source=../lib/package.sh
. "$ROOT/scripts/lib/package.sh"
# shellcheck source=../lib/wine-env.sh
. "$ROOT/scripts/lib/wine-env.sh"

scratch=$(mktemp -d)
failures=0
fail() { echo "  FAIL: $*" >&2; failures=$((failures + 1)); }
pass() { echo "  ok: $*" >&2; }
finish() {
  [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ] && timeout -k 5 20 "$WINESERVER" -k >/dev/null 2>&1
  rm -rf "$scratch"
}
trap finish EXIT

DIST=$ROOT/dist
version=$(package_version) || exit 1
older=1.9.0.0
echo "package tests (version $version)" >&2

# ---------------------------------------------------------------- the tables
tables() {  # tables PACKAGE: dumps its tables into PACKAGE.tables/ and prints that folder
  mkdir -p "$1.tables"
  (cd "$1.tables" && msidump -t "$1" >/dev/null) || { fail "msidump could not read $(basename "$1")"; return 1; }
  echo "$1.tables"
}
rows() { tail -n +4 "$1" | tr -d '\r'; }  # the rows of an .idt file, without its three header lines

for build in "x64 new $version" "x64 old $older" "x86 new $version"; do
  read -r arch which v <<<"$build"
  make_package "$arch" "$scratch/$arch-$which.msi" "$v" || { fail "no $arch package of version $v"; exit 1; }
done
make_package x64 "$scratch/x64-rebuilt.msi" || fail "the x64 package cannot be built again"
x64=$(tables "$scratch/x64-new.msi") && old=$(tables "$scratch/x64-old.msi") && x86=$(tables "$scratch/x86-new.msi") || exit 1

# Component identifiers stay between builds of different versions and across architectures;
# each package is a product of its own under the one upgrade code.
if diff <(rows "$x64/Component.idt" | cut -f1,2 | sort) <(rows "$old/Component.idt" | cut -f1,2 | sort) >/dev/null; then
  pass "component identifiers the same in builds of $version and $older"
else
  fail "component identifiers differ between the builds of $version and $older"
fi
missing=$(comm -23 <(rows "$x86/Component.idt" | cut -f1,2 | sort) \
  <(rows "$x64/Component.idt" | cut -f1,2 | sort))
[ -z "$missing" ] && pass "the x86 package's components are the x64 package's" || fail "x86 components not in the x64 package: $missing"
property() { rows "$1/Property.idt" | awk -F'\t' -v p="$2" '$1 == p { print $2 }'; }
[ "$(property "$x64" ProductCode)" != "$(property "$old" ProductCode)" ] && [ -n "$(property "$x64" ProductCode)" ] &&
  [ "$(property "$x64" UpgradeCode)" = "$(property "$old" UpgradeCode)" ] &&
  pass "new product code per build, one upgrade code" || fail "product or upgrade codes wrong"
[ "$(property "$x64" ProductVersion)" = "$version" ] || fail "ProductVersion is $(property "$x64" ProductVersion), not $version"

# Every file in a component of the feature, one file a component; sizes those of dist/.
for t in "$x64" "$x86"; do
  name=$(basename "$t" .msi.tables)
  orphans=$(comm -23 <(rows "$t/File.idt" | cut -f2 | sort) <(rows "$t/Component.idt" | cut -f1 | sort))
  loose=$(comm -23 <(rows "$t/Component.idt" | cut -f1 | sort) <(rows "$t/FeatureComponents.idt" | cut -f2 | sort))
  doubled=$(rows "$t/File.idt" | cut -f2 | sort | uniq -d)
  [ -z "$orphans$loose$doubled" ] && pass "$name: every file in its own component of the feature" ||
    fail "$name: files without a component: '$orphans', components outside the feature: '$loose', shared: '$doubled'"
done

# The tables in detail: folders, registry views, launch conditions, rebuilds.
bash "$ROOT/packaging/tests/package-tables-test.sh" 2>"$scratch/tables.log" && pass "package tables ($(tail -n 1 "$scratch/tables.log"))" ||
  fail "package tables:
$(grep -v '  ok:' "$scratch/tables.log")"

# Where each file comes from: the File row's identifier names the architecture and the path.
# Lines "ARCH PATH SIZE" of a package's files.
files_of() {
  rows "$1/File.idt" | awk -F'\t' '{ print $1 "\t" $4 }' | while IFS=$'\t' read -r id size; do
    local arch=${id:2:3} rest=${id:6}
    echo "$arch $rest $size"
  done
}
sizes_ok=1
while read -r arch path size; do
  src=$DIST/${path//_//}
  [ "$arch" = x64 ] && src=$DIST/x64/${path//_//}
  # Identifiers fold folders' slashes to underscores: find the file that matches.
  if [ ! -f "$src" ]; then
    base=$DIST; [ "$arch" = x64 ] && base=$DIST/x64
    src=$(cd "$base" && find . -type f | sed 's|^\./||' | while read -r f; do
      [ "$(package_id "$f")" = "$path" ] && echo "$base/$f"; done | head -n 1)
  fi
  if [ -z "$src" ] || [ "$(stat -c %s "$src")" != "$size" ]; then
    sizes_ok=0
    fail "x64 package: $arch $path has $size bytes, dist/ ${src:+$(stat -c %s "$src")}${src:-has no such file}"
  fi
done < <(files_of "$x64")
[ "$sizes_ok" = 1 ] && pass "every file's size is its size in dist/"

# What a user gets: the deliverables, the libraries they import from the suite, the resource
# libraries and help; no test drivers, no stand-in host programs.
x86_files=$(files_of "$x64" | awk '$1 == "x86" { print $2 }' | sort)
x64_files=$(files_of "$x64" | awk '$1 == "x64" { print $2 }' | sort)
expected=(Wendmark.exe Brantle.exe Quellon.dll Solvane.dll Vistrel.dll VexoUtils.dll VexoRes.dll Help_Kivra.chm)
while read -r f; do expected+=("$(package_id "$f")"); done < <(cd "$DIST" && find lang -type f)
absent=""
for f in "${expected[@]}"; do grep -qx -- "$f" <<<"$x86_files" || absent+=" $f"; done
[ -z "$absent" ] && pass "the 32-bit suite holds the ${#expected[@]} expected files" || fail "missing from the package:$absent"
grep -qi -e '^tools_' -e 'editor-host' -e 'stratum-host' <<<"$x86_files$x64_files" &&
  fail "test equipment in the package: $(grep -i -e '^tools_' -e 'host' <<<"$x86_files$x64_files" | tr '\n' ' ')"
[ "$x64_files" = "$(printf '%s\n' VexoCommon.dll Vistrel.dll)" ] && pass "the 64-bit part: the shell extension and its library" ||
  fail "64-bit files: $(tr '\n' ' ' <<<"$x64_files")"
# Every library of dist/ that a packaged program or library imports is packaged too.
unmet=""
for f in $x86_files; do
  case $f in *.exe | *.dll) ;; *) continue ;; esac
  [ -f "$DIST/$f" ] || continue
  for lib in $(i686-w64-mingw32-objdump -p "$DIST/$f" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr -d '\r'); do
    [ -n "$(find "$DIST" -maxdepth 1 -iname "$lib")" ] || continue
    grep -qix -- "$lib" <<<"$x86_files" || unmet+=" $f->$lib"
  done
done
[ -z "$unmet" ] && pass "every imported library of the suite is packaged" || fail "imports not packaged:$unmet"

shortcuts=$(rows "$x64/Shortcut.idt" | cut -f3 | sort | tr '\n' ' ')
want="Brantle Wendmark "
[ "$shortcuts" = "$want" ] && pass "Start-menu entries: $shortcuts" || fail "Start-menu entries '$shortcuts', expected '$want'"

# ---------------------------------------------------------------- under Wine
# KIVRA_WIN32_RUNS comes from ./dev; run alone, the 32-bit loader is tried here.
if [ -z "${KIVRA_WIN32_RUNS:-}" ]; then
  KIVRA_WIN32_RUNS=0
  [ "${KIVRA_NO_WIN32:-0}" != 1 ] && timeout 30 bash -c '"$0" --version' /usr/lib/wine/wine >/dev/null 2>&1 </dev/null && KIVRA_WIN32_RUNS=1
fi
KIVRA_WINE_PREFIX_ROOT=$scratch wine_road_env win64 "$scratch" || exit 1
unset DISPLAY
w() { timeout -k 5 120 "$KIVRA_WINE_LOADER" "$@" </dev/null; }
settle() { timeout -k 5 60 "$WINESERVER" -w >/dev/null 2>&1; }  # the registry on disk once Wine is idle
if ! timeout -k 5 300 "$KIVRA_WINE_LOADER" wineboot -i >/dev/null 2>&1 </dev/null || ! settle ||
  [ ! -s "$WINEPREFIX/system.reg" ]; then
  fail "no scratch Wine prefix"
  exit 1
fi
C=$WINEPREFIX/drive_c
FOLDER32="$C/Program Files (x86)/Oremund/Kivra 2013"
FOLDER64="$C/Program Files/Oremund/Kivra 2013"

# The keys and values below the classes and the approved shell extensions, one line each,
# keys in lower case. Windows shares the 32-bit and 64-bit classes but for CLSID and Interface;
# Wine's installer writes a 32-bit component's shared rows below Wow6432Node: folded back.
registry() {
  settle
  awk '
    /^\[/ {
      key = tolower(substr($0, 2, index($0, "]") - 2))
      if (key ~ /^software\\\\classes\\\\wow6432node\\\\/ && key !~ /^software\\\\classes\\\\wow6432node\\\\(clsid|interface)(\\\\|$)/)
        key = "software\\\\classes\\\\" substr(key, length("software\\\\classes\\\\wow6432node\\\\") + 1)
      keep = (key ~ /^software\\\\classes\\\\/ && key !~ /^software\\\\classes\\\\(wow6432node\\\\)?installer(\\\\|$)/) ||
             key ~ /shell extensions\\\\approved$/
      if (keep) print key
      next
    }
    keep && /^(@|")/ { print key " " $0 }
  ' "$WINEPREFIX/system.reg" | LC_ALL=C sort -u
}
# Lines of the registry now that the baseline lacks (+) or that it had and are gone (-).
changes() { diff <(cat "$scratch/baseline") <(registry) | sed -n 's/^> /+ /p; s/^< /- /p'; }
# What every machine has: the host's drawing type, and other approved shell extensions (in
# each registry view: VIEWS are reg's /reg: flags).
machine_state() {  # machine_state VIEWS...
  local view
  w reg add 'HKCR\.dwg' /ve /d Kivra.Drawing /f >/dev/null 2>&1
  w reg add 'HKCR\.dwg\shellex\{E357FCCD-A995-4576-B01F-234630154E96}' /ve /d '{11111111-2222-3333-4444-555555555555}' /f >/dev/null 2>&1
  for view in "$@"; do
    w reg add 'HKLM\Software\Microsoft\Windows\CurrentVersion\Shell Extensions\Approved' \
      /v '{00000000-0000-0000-0000-00000000AB01}' /d 'Another extension' /f ${view:+/reg:$view} >/dev/null 2>&1
  done
}
machine_state 32 64
registry >"$scratch/baseline"
grep -q 'approved "{00000000-0000-0000-0000-00000000AB01}"' "$scratch/baseline" && grep -q '^software\\\\classes\\\\.dwg @="Kivra.Drawing"' "$scratch/baseline" ||
  fail "the baseline lacks the host's drawing type or the other extension"

# What the servers' own registration writes, with the files where the package puts them: the
# 64-bit server, then the 32-bit one (the type library's shared values are then the 32-bit
# server's). Where 32-bit code does not run only the 64-bit server's rows are compared.
mkdir -p "$FOLDER32" "$FOLDER64"
cp "$DIST/x64/Vistrel.dll" "$DIST/x64/VexoCommon.dll" "$FOLDER64/"
w regsvr32 /s 'C:\Program Files\Oremund\Kivra 2013\Vistrel.dll' || fail "regsvr32 of the 64-bit server failed"
if [ "$KIVRA_WIN32_RUNS" = 1 ]; then
  cp "$DIST/Vistrel.dll" "$DIST/VexoCommon.dll" "$FOLDER32/"
  w 'C:\windows\syswow64\regsvr32.exe' /s 'C:\Program Files (x86)\Oremund\Kivra 2013\Vistrel.dll' ||
    fail "regsvr32 of the 32-bit server failed"
fi
changes >"$scratch/registered"
w regsvr32 /s /u 'C:\Program Files\Oremund\Kivra 2013\Vistrel.dll'
[ "$KIVRA_WIN32_RUNS" = 1 ] && w 'C:\windows\syswow64\regsvr32.exe' /s /u 'C:\Program Files (x86)\Oremund\Kivra 2013\Vistrel.dll'
rm -rf "$C/Program Files/Oremund" "$C/Program Files (x86)/Oremund"
[ -s "$scratch/registered" ] || fail "regsvr32 wrote nothing"
[ -z "$(changes)" ] || fail "unregistering left: $(changes | head -n 5)"

msi() { w msiexec "$1" "$(winpath "$2")" /qn; }
winpath() { local p; p=$(readlink -m "$1"); echo "Z:${p//\//\\}"; }
# The products of our upgrade code, as "DisplayVersion" lines of their uninstall entries.
products() {
  settle
  awk '/^\[/ { inside = tolower($0) ~ /currentversion\\\\uninstall\\\\/; name = ""; next }
       inside && /^"DisplayName"="Kivra Companions"/ { name = 1 }
       inside && /^"DisplayVersion"=/ { v = $0 }
       inside && /^$/ { if (name) print v; name = "" }' "$WINEPREFIX/system.reg"
}

# An older package, then this one over it.
msi /i "$scratch/x64-old.msi" || fail "installing $older failed"
[ "$(products)" = "\"DisplayVersion\"=\"$older\"" ] || fail "after installing $older the products are: $(products)"
msi /i "$scratch/x64-new.msi" || fail "installing $version over $older failed"
[ "$(products)" = "\"DisplayVersion\"=\"$version\"" ] && pass "$version replaced $older: one product installed" ||
  fail "after the upgrade the products are: $(products | tr '\n' ' ')"

# Every file in its folder, byte for byte that of dist/.
installed_ok() {
  local arch path size src dest bad=0 f
  while read -r arch path size; do
    for f in $( (cd "$DIST" && [ "$arch" = x64 ] && cd x64; find . -type f | sed 's|^\./||')); do
      [ "$(package_id "$f")" = "$path" ] || continue
      src=$DIST/$f dest=$FOLDER32/$f
      [ "$arch" = x64 ] && src=$DIST/x64/$f dest=$FOLDER64/$f
      cmp -s "$src" "$dest" || { fail "$arch $f: not installed as in dist/ ($dest)"; bad=1; }
    done
  done < <(files_of "$x64")
  return $bad
}
installed_ok && pass "every file installed in its folder, as in dist/ ($(files_of "$x64" | wc -l) files)"
find "$C" -path '*Start Menu/Programs/Kivra Companions/Wendmark.lnk' | grep -q . && pass "Start-menu entry for Wendmark" ||
  fail "no Start-menu entry for Wendmark"
find "$C" -path '*Start Menu/Programs/Kivra Companions/Brantle.lnk' | grep -q . && pass "Start-menu entry for Brantle" ||
  fail "no Start-menu entry for Brantle"

# The registry rows: what registration wrote, and the approved extension (which regsvr32
# does not write) in both views.
changes >"$scratch/installed"
only_64() { grep -viF -e 'wow6432node' -e '\\0\\win32' -e '\\helpdir'; }
expected_rows() {
  cat "$scratch/registered"
  printf '+ software\\\\%smicrosoft\\\\windows\\\\currentversion\\\\shell extensions\\\\approved "{22C88570-8419-4CD6-B37A-5350D847AAF0}"="Vistrel Thumbnail Extractor Class"\n' '' 'wow6432node\\'
}
if [ "$KIVRA_WIN32_RUNS" = 1 ]; then
  diff <(expected_rows | LC_ALL=C sort) <(LC_ALL=C sort "$scratch/installed") >"$scratch/rows.diff"
else
  diff <(expected_rows | only_64 | LC_ALL=C sort) <(only_64 <"$scratch/installed" | LC_ALL=C sort) >"$scratch/rows.diff"
fi
[ -s "$scratch/rows.diff" ] && fail "registry rows differ from registration's (< registration, > package):
$(head -n 20 "$scratch/rows.diff")" || pass "registry rows equal registration's ($(wc -l <"$scratch/installed") lines)"

# Thumbnails through the installed server, found by class as the shell finds it.
drawings=("$ROOT/../shared/testdata/dwg/AC1015_libredwg_sample_2000.dwg" "$ROOT/../shared/testdata/dwg/AC1018_libredwg_example_2004.dwg")
client() {  # client DIST_FOLDER LOADER_FLAGS...: runs the shell-like client with the suite's libraries
  local dist=$1; shift
  WINEPATH="$(winpath "$dist")" timeout -k 5 120 "$@" "$(winpath "$dist/tools/vistrel-shell-client.exe")" 96 96 \
    "$(winpath "${drawings[0]}")" "$(winpath "${drawings[1]}")" </dev/null 2>&1 | tr -d '\r'
}
out=$(client "$DIST/x64" "$KIVRA_WINE_LOADER")
grep -qF '"server": "C:\\Program Files\\Oremund\\Kivra 2013\\Vistrel.dll"' <<<"$out" &&
  [ "$(grep -c '"same_as_rendered": true' <<<"$out")" = 2 ] && pass "64-bit thumbnails through the installed server" ||
  fail "64-bit client: $out"
if [ "$KIVRA_WIN32_RUNS" = 1 ]; then
  out=$(client "$DIST" "$KIVRA_WINE_LOADER")
  grep -qF '"server": "C:\\Program Files (x86)\\Oremund\\Kivra 2013\\Vistrel.dll"' <<<"$out" &&
    [ "$(grep -c '"same_as_rendered": true' <<<"$out")" = 2 ] && pass "32-bit thumbnails through the installed server" ||
    fail "32-bit client: $out"
fi

# The same version again repairs: a lost file and a lost registry value come back.
rm -f "$FOLDER32/Wendmark.exe" "$FOLDER64/Vistrel.dll"
w reg delete 'HKCR\CLSID\{22C88570-8419-4CD6-B37A-5350D847AAF0}\InprocServer32' /f /reg:64 >/dev/null 2>&1
msi /i "$scratch/x64-new.msi" || fail "installing $version a second time failed"
installed_ok && [ "$(changes)" = "$(cat "$scratch/installed")" ] && [ "$(products | wc -l)" = 1 ] &&
  pass "installing $version again repaired files and registry" || fail "installing $version again did not repair"

# A rebuilt package of the same version is another product: it replaces the installed one.
codes() { settle; grep -io 'currentversion\\\\uninstall\\\\{[0-9a-f-]*}' "$WINEPREFIX/system.reg" | sort -u; }
before=$(codes)
msi /i "$scratch/x64-rebuilt.msi" || fail "installing a rebuilt $version failed"
after=$(codes)
[ "$(wc -l <<<"$after")" = 1 ] && [ -n "$after" ] && [ "$after" != "$before" ] && installed_ok &&
  [ "$(changes)" = "$(cat "$scratch/installed")" ] && pass "a rebuilt $version replaced the installed one" ||
  fail "after a rebuilt $version: products '$before' -> '$after'"

# An older package does not go over a newer one.
msi /i "$scratch/x64-old.msi" && fail "$older installed over $version"
[ "$(products)" = "\"DisplayVersion\"=\"$version\"" ] && installed_ok && pass "$older refused over $version" ||
  fail "after trying $older the products are: $(products | tr '\n' ' ')"

# The user's things: a profile, a table in the program folder and one among their files.
w reg add 'HKCU\Software\Oremund\Kivra 2013\en\Profiles\Mine\Config' /v PlotStyle /d 'C:\Tables' /f >/dev/null 2>&1
echo table >"$FOLDER32/Mine.ctb"
mkdir -p "$C/users/Public/Tables" && echo table >"$C/users/Public/Tables/Mine.ctb"
msi /x "$scratch/x64-rebuilt.msi" || fail "removing the package failed"
settle
left=$(find "$C/Program Files/Oremund" "$C/Program Files (x86)/Oremund" -mindepth 1 2>/dev/null | sed "s|$C/||")
[ "$left" = "Program Files (x86)/Oremund/Kivra 2013"$'\n'"Program Files (x86)/Oremund/Kivra 2013/Mine.ctb" ] &&
  pass "removal took every file and folder of ours, left the user's table" || fail "after removal: $(tr '\n' ' ' <<<"$left")"
[ -f "$C/users/Public/Tables/Mine.ctb" ] || fail "removal took the user's table"
[ -z "$(changes)" ] && pass "removal took every registry row of ours" || fail "after removal: $(changes | head -n 10)"
[ -z "$(products)" ] || fail "still installed after removal: $(products)"
find "$C" -path '*Start Menu/Programs/Kivra Companions*' | grep -q . && fail "Start-menu entries left after removal"
grep -q 'Profiles\\\\Mine\\\\Config' "$WINEPREFIX/user.reg" && pass "the profile key stays" || fail "removal took the profile key"

# The x86 package is for 32-bit Windows only: 64-bit Windows refuses it.
msi /i "$scratch/x86-new.msi" && fail "the x86 package installed on 64-bit Windows"
[ -z "$(products)" ] && [ ! -e "$C/Program Files (x86)/Oremund/Kivra 2013/Wendmark.exe" ] &&
  pass "the x86 package refused on 64-bit Windows" || fail "the x86 package left: $(products)"
timeout -k 5 20 "$WINESERVER" -k >/dev/null 2>&1

# The x86 package on 32-bit Windows, where 32-bit Wine runs: installed, thumbnails, removed.
if [ "$KIVRA_WIN32_RUNS" = 1 ]; then
  KIVRA_WINE_PREFIX_ROOT=$scratch wine_road_env win32 "$scratch" || exit 1
  if ! timeout -k 5 300 "$KIVRA_WINE_LOADER" wineboot -i >/dev/null 2>&1 </dev/null || ! settle; then
    fail "no scratch 32-bit Wine prefix"
  else
    C=$WINEPREFIX/drive_c
    FOLDER32="$C/Program Files/Oremund/Kivra 2013"
    machine_state ""
    registry >"$scratch/baseline"
    msi /i "$scratch/x86-new.msi" || fail "installing the x86 package on 32-bit Windows failed"
    missing=""
    while read -r arch path size; do
      for f in $(cd "$DIST" && find . -type f | sed 's|^\./||'); do
        [ "$(package_id "$f")" = "$path" ] && { cmp -s "$DIST/$f" "$FOLDER32/$f" || missing+=" $f"; }
      done
    done < <(files_of "$x86")
    [ -z "$missing" ] && [ "$(products)" = "\"DisplayVersion\"=\"$version\"" ] &&
      pass "x86 package: every file installed on 32-bit Windows" || fail "x86 package: not installed:$missing"
    out=$(client "$DIST" "$KIVRA_WINE_LOADER")
    grep -qF '"server": "C:\\Program Files\\Oremund\\Kivra 2013\\Vistrel.dll"' <<<"$out" &&
      [ "$(grep -c '"same_as_rendered": true' <<<"$out")" = 2 ] && pass "x86 package: thumbnails through the installed server" ||
      fail "x86 package, 32-bit client: $out"
    msi /x "$scratch/x86-new.msi" || fail "removing the x86 package failed"
    settle
    [ ! -e "$C/Program Files/Oremund" ] && [ -z "$(changes)" ] && [ -z "$(products)" ] &&
      pass "x86 package: removal took everything" || fail "x86 package: after removal: $(changes | head -n 5) $(ls "$C/Program Files")"
  fi
fi

[ "$failures" = 0 ] || { echo "package tests: $failures failed" >&2; exit 1; }
echo "package tests: all passed" >&2

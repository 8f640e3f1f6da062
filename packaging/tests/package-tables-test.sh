#!/usr/bin/env bash
# The installer packages' tables, read with msidump and msiinfo (no Windows needed): each
# file belongs to a component the feature installs and lands in its folder with dist/'s size;
# component identifiers stay the same when the package is built again and for another
# version; each architecture's parts sit in its own folder and registry view; the Start-menu
# entries, upgrade rules and launch conditions are there.
set -uo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/package-test-lib.sh"

make_scratch
trap remove_scratch EXIT
version=$(package_version) || exit 1
lower=$(lower_version "$version")

# dump PACKAGE FOLDER: every table as text (the first three lines of each are its header).
dump() {
  mkdir -p "$2"
  msidump -d "$2" "$1" >/dev/null || { fail "msidump cannot read $1"; return 1; }
}
rows() { tail -n +4 "$1" | tr -d '\r'; }  # the rows of a dumped table (msidump ends lines with CR LF)

# The install path of every directory of a dumped package, as "ID<TAB>PATH" (PATH relative
# to INSTALLDIR or INSTALLDIR64, written ARCH:path).
directory_paths() {  # directory_paths DUMP
  rows "$1/Directory.idt" | awk -F'\t' '
    { parent[$1] = $2; name[$1] = $3 }
    function path(id) {
      if (id == "INSTALLDIR") return "x86:"
      if (id == "INSTALLDIR64") return "x64:"
      if (!(id in parent) || parent[id] == "") return ""
      p = path(parent[id]); if (p == "") return ""
      n = name[id]; sub(/^.*\|/, "", n)
      return p (p ~ /:$/ ? "" : "/") n
    }
    END { for (id in parent) { p = path(id); if (p != "") print id "\t" p } }'
}

# Every file of a dumped package as "ARCH:path<TAB>size", sorted.
installed_files() {  # installed_files DUMP
  directory_paths "$1" >"$SCRATCH/dirs"
  rows "$1/Component.idt" >"$SCRATCH/components"
  rows "$1/File.idt" | awk -F'\t' '
    FILENAME == ARGV[1] { dir[$1] = $2; next }
    FILENAME == ARGV[2] { compdir[$1] = $3; next }
    { name = $3; sub(/^.*\|/, "", name); d = dir[compdir[$2]]; print d (d ~ /:$/ ? "" : "/") name "\t" $4 }' \
    "$SCRATCH/dirs" "$SCRATCH/components" - | LC_ALL=C sort
}

# What dist/ says the files of ARCH should be: "ARCH:path<TAB>size".
expected_sized() {  # expected_sized ARCH
  local base=$ROOT/dist f
  [ "$1" = x64 ] && base=$ROOT/dist/x64
  expected_files "$1" | while IFS= read -r f; do printf '%s:%s\t%s\n' "$1" "$f" "$(stat -c %s "$base/$f")"; done
}

check_package() {  # check_package ARCH DUMP PACKAGE
  local arch=$1 d=$2 msi=$3
  section "$arch package: files, components, folders"
  { expected_sized x86; [ "$arch" = x64 ] && expected_sized x64; } | LC_ALL=C sort >"$SCRATCH/expected-$arch"
  installed_files "$d" >"$SCRATCH/files-$arch"
  expect_same "every file of the suite, in its folder with dist/'s size, and nothing else (no drivers, no host stand-ins)" \
    "$SCRATCH/expected-$arch" "$SCRATCH/files-$arch"

  local orphans
  orphans=$(awk -F'\t' 'NR == FNR { c[$1] = 1; next } !($2 in c) { print $1 }' <(rows "$d/Component.idt") <(rows "$d/File.idt"))
  [ -z "$orphans" ] && pass "no file without a component" || fail "files without a component: $orphans"
  local unfeatured
  unfeatured=$(awk -F'\t' 'NR == FNR { f[$2] = 1; next } !($1 in f) { print $1 }' <(rows "$d/FeatureComponents.idt") <(rows "$d/Component.idt"))
  [ -z "$unfeatured" ] && pass "every component is installed by the feature" || fail "components no feature installs: $unfeatured"
  local bad_guid
  bad_guid=$(rows "$d/Component.idt" | awk -F'\t' '{ g = $2; gsub(/[0-9A-F]/, "x", g) }
    g != "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}" { print $1 }')
  [ -z "$bad_guid" ] && pass "every component has an identifier" || fail "components without a proper identifier: $bad_guid"
  local keyless
  keyless=$(awk -F'\t' 'NR == FNR { file[$2] = $1; next } ($1 in file) && $6 != file[$1] { print $1 }' \
    <(rows "$d/File.idt") <(rows "$d/Component.idt"))
  [ -z "$keyless" ] && pass "a component with a file has that file as its key" || fail "components keyed otherwise: $keyless"
  # 64-bit components are those in the 64-bit folder (attribute 256), all of them.
  local wrong_view
  wrong_view=$(awk -F'\t' 'NR == FNR { split($2, p, ":"); arch[$1] = p[1]; next }
    ($3 in arch) && ((arch[$3] == "x64") != (int($4 / 256) % 2 == 1)) { print $1 }' \
    <(directory_paths "$d") <(rows "$d/Component.idt"))
  [ -z "$wrong_view" ] && pass "64-bit components are exactly those of the 64-bit folder" || fail "components in the wrong view: $wrong_view"

  section "$arch package: registration, Start menu, conditions"
  local owners
  owners=$(rows "$d/Registry.idt" | cut -f6 | LC_ALL=C sort -u | tr '\n' ' ')
  local want="c_x86_Vistrel.dll "
  [ "$arch" = x64 ] && want="c_x64_Vistrel.dll c_x86_Vistrel.dll "
  [ "$owners" = "$want" ] && pass "registry rows belong to the thumbnail servers' components ($owners)" ||
    fail "registry rows belong to: $owners (want $want)"
  local server
  server=$(rows "$d/Registry.idt" | awk -F'\t' '$3 ~ /InprocServer32$/ && $4 == "" { print $6 "=" $5 }' | LC_ALL=C sort | tr '\n' ' ')
  want="c_x86_Vistrel.dll=[#f_x86_Vistrel.dll] "
  [ "$arch" = x64 ] && want="c_x64_Vistrel.dll=[#f_x64_Vistrel.dll] $want"
  [ "$server" = "$want" ] && pass "each server's class names its own file" || fail "InprocServer32 rows: $server"
  local helpdirs
  helpdirs=$(rows "$d/Registry.idt" | awk -F'\t' '$3 ~ /HELPDIR$/ { print $6 "=" $5 }' | tr '\n' ' ')
  [ "$helpdirs" = "c_x86_Vistrel.dll=[INSTALLDIR_FOLDER] " ] &&
    pass "the type library's shared help folder is written once, by the 32-bit server" || fail "HELPDIR rows: $helpdirs"

  local menu
  menu=$(rows "$d/Shortcut.idt" | awk -F'\t' '{ n = $3; sub(/^.*\|/, "", n); print n "->" $5 "@" $2 }' | LC_ALL=C sort | tr '\n' ' ')
  want=$(expected_menu | while read -r m; do printf '%s->[#f_x86_%s.exe]@MenuFolder ' "$m" "$m"; done)
  [ "$menu" = "$want" ] && pass "Start-menu entries: $menu" || fail "Start-menu entries: $menu (want $want)"

  local template
  template=$(msiinfo suminfo "$msi" | sed -n 's/^Template: //p')
  want="Intel;1033"
  [ "$arch" = x64 ] && want="x64;1033"
  [ "$template" = "$want" ] && pass "platform $template" || fail "platform '$template' (want $want)"
  local conditions
  conditions=$(rows "$d/LaunchCondition.idt" | cut -f1 | LC_ALL=C sort | tr '\n' '|')
  want="Installed OR NOT KIVRA_NEWER_FOUND|"
  [ "$arch" = x86 ] && want="Installed OR NOT KIVRA_NEWER_FOUND|Installed OR NOT VersionNT64|"
  [ "$conditions" = "$want" ] && pass "launch conditions: $conditions" || fail "launch conditions: $conditions"
}

# The tables of two builds, without what must differ between them (the product's and the
# package's own identifiers).
comparable_tables() {  # comparable_tables DUMP OUT
  local t
  for t in "$1"/*.idt; do
    case $(basename "$t") in _SummaryInformation.idt) continue ;; esac
    echo "== $(basename "$t")"
    if [ "$(basename "$t")" = Property.idt ]; then grep -v '^ProductCode' "$t"; else cat "$t"; fi | tr -d '\r'
  done
}

for arch in x86 x64; do
  make_package "$arch" "$SCRATCH/a-$arch.msi" || { fail "the $arch package cannot be built"; continue; }
  dump "$SCRATCH/a-$arch.msi" "$SCRATCH/a-$arch" || continue
  check_package "$arch" "$SCRATCH/a-$arch" "$SCRATCH/a-$arch.msi"
done

section "built again, and for a lower version"
make_package x64 "$SCRATCH/b-x64.msi" && dump "$SCRATCH/b-x64.msi" "$SCRATCH/b-x64" || fail "the x64 package cannot be built again"
make_package x64 "$SCRATCH/l-x64.msi" "$lower" && dump "$SCRATCH/l-x64.msi" "$SCRATCH/l-x64" || fail "the x64 package cannot be built as $lower"
if [ -d "$SCRATCH/b-x64" ] && [ -d "$SCRATCH/a-x64" ]; then
  comparable_tables "$SCRATCH/a-x64" >"$SCRATCH/a.tables"
  comparable_tables "$SCRATCH/b-x64" >"$SCRATCH/b.tables"
  expect_same "built twice, the tables are the same but for the product code (component identifiers included)" \
    "$SCRATCH/a.tables" "$SCRATCH/b.tables"
  a_code=$(rows "$SCRATCH/a-x64/Property.idt" | grep '^ProductCode' | cut -f2)
  b_code=$(rows "$SCRATCH/b-x64/Property.idt" | grep '^ProductCode' | cut -f2)
  [ -n "$a_code" ] && [ "$a_code" != "$b_code" ] && pass "each build has a product code of its own ($a_code, $b_code)" ||
    fail "product codes $a_code and $b_code"
fi
if [ -d "$SCRATCH/l-x64" ] && [ -d "$SCRATCH/a-x64" ]; then
  rows "$SCRATCH/a-x64/Component.idt" >"$SCRATCH/a.components"
  rows "$SCRATCH/l-x64/Component.idt" >"$SCRATCH/l.components"
  expect_same "version $lower has the same components with the same identifiers" \
    "$SCRATCH/a.components" "$SCRATCH/l.components"
  IFS=. read -r ma mi bu _ <<<"$version"
  upgrade=$(rows "$SCRATCH/a-x64/Upgrade.idt" | cut -f2,3,5,7 | LC_ALL=C sort | tr '\t\n' ' |')
  want="0.0.0 $ma.$mi.$((bu + 1)) 256 KIVRA_OLDER_FOUND|$version  2 KIVRA_NEWER_FOUND|"
  [ "$upgrade" = "$want" ] && pass "upgrades every version up to $version, detects newer ones: $upgrade" ||
    fail "upgrade rows: '$upgrade' (want '$want')"
fi

finish package-tables-test

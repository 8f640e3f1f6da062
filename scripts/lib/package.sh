# The installer packages: packaging/Kivra-Companions.wxs around the contents that
# packaging/contents.list asks for, built by wixl from dist/ (x86 package: the 32-bit suite)
# or dist/ and dist/x64/ (x64 package: the 32-bit suite beside the 64-bit shell extension).
# Sourced by ./dev and by the packages' tests after ROOT is set; needs the native build's
# vistrel-registration-rows (the server's registration script read by its own reader).

PACKAGE_NAME=Kivra-Companions
# Component identifiers are name-based (SHA-1) from this namespace and the component's
# architecture and path below its folder, so they stay the same between builds and versions.
PACKAGE_COMPONENT_NAMESPACE=11C35F10-FDDD-4379-ADB4-225B62D7A69A

# ProductVersion of Product.version.
package_version() {
  local v
  v=$(sed -n 's/^ProductVersion=\([0-9.]*\)[[:space:]]*$/\1/p' "$ROOT/Product.version")
  [[ $v =~ ^[0-9]+\.[0-9]+\.[0-9]+\.[0-9]+$ ]] || { echo "Product.version gives no ProductVersion" >&2; return 1; }
  echo "$v"
}

# package_path ARCH [VERSION]: where ./dev package puts a package.
package_path() { echo "$ROOT/build/$PACKAGE_NAME-${2:-$(package_version)}-$1.msi"; }

# A name-based identifier (RFC 4122 version 5) of NAME in the namespace identifier NS.
name_guid() {  # name_guid NS NAME
  local ns=${1//-/} hex
  hex=$( { printf "$(sed 's/../\\x&/g' <<<"$ns")"; printf '%s' "$2"; } | sha1sum | cut -c1-32)
  local variant=$(( (16#${hex:16:1} & 3) | 8 ))
  hex="${hex:0:12}5${hex:13:3}$(printf '%x' "$variant")${hex:17:15}"
  hex=${hex^^}
  echo "${hex:0:8}-${hex:8:4}-${hex:12:4}-${hex:16:4}-${hex:20:12}"
}

# An identifier for the package's tables: letters, digits, underscores and dots only.
package_id() { local s=$1; echo "${s//[^A-Za-z0-9_.]/_}"; }

# Text for an attribute of the WiX source whose value Windows Installer formats: brackets
# stand for themselves, and the XML specials are escaped.
formatted_text() {
  local s=$1
  s=${s//[/$'\x01'}; s=${s//]/$'\x02'}
  s=${s//$'\x01'/[\\[]}; s=${s//$'\x02'/[\\]]}
  s=${s//&/&amp;}; s=${s//</&lt;}; s=${s//>/&gt;}; s=${s//\"/&quot;}
  printf '%s' "$s"
}

# The libraries of FOLDER that the PE file FILE imports (names as FOLDER spells them).
suite_imports() {  # suite_imports OBJDUMP FOLDER FILE
  local name found
  "$1" -p "$3" 2>/dev/null | sed -n 's/^[[:space:]]*DLL Name: //p' | tr -d '\r' | while read -r name; do
    found=$(find "$2" -maxdepth 1 -type f -iname "$name" -printf '%f\n' | head -n 1)
    [ -n "$found" ] && echo "$found"
  done
}

# ---------------------------------------------------------------- what goes in
# Fills PACKAGE_FILES with "ARCH PATH FLAGS" lines (fields separated by $US) (PATH below dist/ or dist/x64/;
# FLAGS: menu=TITLE, com-server), in contents.list order, each file once.
PACKAGE_FILES=()
declare -A PACKAGE_SEEN
package_add() {  # package_add ARCH PATH FLAGS
  local key="$1:${2,,}"
  [ -n "${PACKAGE_SEEN[$key]:-}" ] && return 0
  PACKAGE_SEEN[$key]=1
  PACKAGE_FILES+=("$1$US$2$US$3")
}

# package_add_with_imports ARCH FOLDER PATH FLAGS: the file and the suite's libraries it
# imports, and theirs.
package_add_with_imports() {
  local arch=$1 folder=$2 path=$3 flags=$4 objdump lib
  objdump=i686-w64-mingw32-objdump
  [ "$arch" = x64 ] && objdump=x86_64-w64-mingw32-objdump
  local seen_before=${PACKAGE_SEEN["$arch:${path,,}"]:-}
  package_add "$arch" "$path" "$flags"
  [ -n "$seen_before" ] && return 0
  for lib in $(suite_imports "$objdump" "$folder" "$folder/$path"); do
    package_add_with_imports "$arch" "$folder" "$lib" ""
  done
}

package_contents() {  # package_contents ARCH
  local arch=$1 dist=$ROOT/dist kind file rest flags word optional server f
  PACKAGE_FILES=()
  PACKAGE_SEEN=()
  while read -r kind file rest; do
    case $kind in '' | '#'*) continue ;; esac
    flags="" optional="" server=""
    for word in $rest; do
      case $word in
        '#'*) break ;;
        menu=*) flags+=" $word" ;;
        optional) optional=1 ;;
        com-server) server=1; flags+=" com-server" ;;
        *) echo "packaging/contents.list: unknown word '$word' for $file" >&2; return 1 ;;
      esac
    done
    flags=${flags# }
    case $kind in
      deliverable)
        if [ ! -f "$dist/$file" ]; then
          [ -n "$optional" ] && continue
          echo "dist/ holds no $file (build first: ./dev build)" >&2
          return 1
        fi
        package_add_with_imports x86 "$dist" "$file" "$flags"
        if [ -n "$server" ] && [ "$arch" = x64 ]; then
          [ -f "$dist/x64/$file" ] || { echo "dist/x64/ holds no $file (build first: ./dev build)" >&2; return 1; }
          package_add_with_imports x64 "$dist/x64" "$file" "com-server"
        fi
        ;;
      loaded)
        [ -f "$dist/$file" ] || { echo "dist/ holds no $file (build first: ./dev build)" >&2; return 1; }
        package_add x86 "$file" ""
        ;;
      folder)
        [ -d "$dist/$file" ] || { echo "dist/ holds no folder $file (build first: ./dev build)" >&2; return 1; }
        while IFS= read -r f; do package_add x86 "$f" ""; done < <(cd "$dist" && find "$file" -type f | LC_ALL=C sort)
        ;;
      *) echo "packaging/contents.list: unknown entry '$kind'" >&2; return 1 ;;
    esac
  done <"$ROOT/packaging/contents.list"
}

# ---------------------------------------------------------------- registry rows
# Fields of the lines passed between these functions are separated by this character (tab
# is white space to `read`, which would fold empty fields away).
US=$'\x1f'

# The rows of the COM server: its script's (read by the server's reader) and its type
# library's, as "ROOT KEY NAME DATA KIND" lines (fields separated by $US) with the platform
# filled in for ARCH and @FOLDER@ made @FOLDER-x86@ or @FOLDER-x64@; those and @MODULE@ stay
# for the WiX source to fill.
server_rows() {  # server_rows ARCH
  local arch=$1 tool=${KIVRA_REGISTRATION_ROWS:-$ROOT/build/native/bin/vistrel-registration-rows}
  local platform=win32 kind root key name data
  [ "$arch" = x64 ] && platform=win64
  [ -x "$tool" ] || { echo "no $tool (build the native tree first: ./dev build)" >&2; return 1; }
  local rows
  rows=$("$tool" "$ROOT/thumbnail/server/Vistrel.rgs" @MODULE@) || return 1
  rows+=$'\n'$(grep -v '^#' "$ROOT/packaging/vistrel-typelib.rows")
  while IFS=$US read -r kind root key name data; do
    [ -n "$kind" ] || continue
    key=${key//@PLATFORM@/$platform}
    data=${data//@FOLDER@/@FOLDER-$arch@}
    printf '%s\n' "$root$US$key$US$name$US$data$US$kind"
  done <<<"$(tr '\t' "$US" <<<"$rows")"
}

# Windows shares these keys between the 32-bit and the 64-bit registry; the others below the
# classes (CLSID, Interface) each view has for itself.
shared_classes_key() {  # shared_classes_key ROOT KEY
  [ "$1" = HKCR ] || return 1
  case ${2%%\\*} in [Cc][Ll][Ss][Ii][Dd] | [Ii][Nn][Tt][Ee][Rr][Ff][Aa][Cc][Ee]) return 1 ;; esac
  return 0
}

# The WiX elements of one server's rows. In the x64 package a value of a shared key that the
# 32-bit server gives other data (the type library's help folder) is the 32-bit server's to
# write, as registering the 64-bit server and then the 32-bit one leaves it.
registry_elements() {  # registry_elements ARCH FILE_ID ROWS ROWS_OF_THE_32_BIT_SERVER
  local arch=$1 file_id=$2 root key name data kind value
  local -A theirs=()
  if [ "$arch" = x64 ]; then
    while IFS=$US read -r root key name data kind; do
      theirs["$root|${key,,}|${name,,}"]=$data
    done <<<"$4"
  fi
  while IFS=$US read -r root key name data kind; do
    [ -n "$root" ] || continue
    if [ "$arch" = x64 ] && shared_classes_key "$root" "$key"; then
      local other=${theirs["$root|${key,,}|${name,,}"]-}
      [ -n "$other" ] && [ "$other" != "$data" ] && continue
    fi
    case $kind in
      value)
        case $data in '#'*) echo "registry value of $key starts with #: not a string to Windows Installer" >&2; return 1 ;; esac
        value=$(formatted_text "$data")
        value=${value//@MODULE@/[#$file_id]}
        value=${value//@FOLDER-x86@/[INSTALLDIR_FOLDER]}
        value=${value//@FOLDER-x64@/[INSTALLDIR64_FOLDER]}
        printf '        <RegistryValue Root="%s" Key="%s"%s Type="string" Value="%s" />\n' "$root" \
          "$(formatted_text "$key")" "${name:+ Name=\"$(formatted_text "$name")\"}" "$value"
        ;;
      # A name of * or + without a value: the key made on install, and on removal taken out
      # with everything below it (*) or left (+).
      key-owned) printf '        <RegistryValue Root="%s" Key="%s" Name="*" Type="string" Value="" />\n' "$root" "$(formatted_text "$key")" ;;
      key-created) printf '        <RegistryValue Root="%s" Key="%s" Name="+" Type="string" Value="" />\n' "$root" "$(formatted_text "$key")" ;;
      *) echo "unknown registry row kind '$kind'" >&2; return 1 ;;
    esac
  done <<<"$3"
}

# ---------------------------------------------------------------- the WiX source
# Folder identifiers: the architecture's install folder, and below it one per subfolder.
dir_id() {  # dir_id ARCH SUBFOLDER
  local root=INSTALLDIR
  [ "$1" = x64 ] && root=INSTALLDIR64
  if [ -z "$2" ] || [ "$2" = . ]; then echo "$root"; else package_id "d_$1_$2"; fi
}

# Writes Contents.wxi for ARCH into FOLDER, with every file's source below FOLDER/dist.
write_contents() {  # write_contents ARCH FOLDER
  local arch=$1 out=$2/Contents.wxi line farch path flags dir name comp fid guid word src
  local -A dirs_made=() folders=() files_in=()
  local comps=() rows32=""
  {
    echo '<?xml version="1.0" encoding="utf-8"?>'
    echo '<!-- Made by scripts/lib/package.sh from packaging/contents.list and dist/: do not edit. -->'
    echo '<Include>'
    for line in "${PACKAGE_FILES[@]}"; do
      IFS=$US read -r farch path flags <<<"$line"
      dir=$(dirname "$path")
      name=$(basename "$path")
      # Folders, each in its parent, the first time a file lies in (or below) it.
      local part="" parent
      if [ "$dir" != . ]; then
        local parts
        IFS=/ read -ra parts <<<"$dir"
        for word in "${parts[@]}"; do
          parent=$(dir_id "$farch" "$part")
          part=${part:+$part/}$word
          if [ -z "${dirs_made[$farch:$part]:-}" ]; then
            dirs_made[$farch:$part]=1
            printf '  <DirectoryRef Id="%s"><Directory Id="%s" Name="%s" /></DirectoryRef>\n' \
              "$parent" "$(dir_id "$farch" "$part")" "$(formatted_text "$word")"
            folders["$(dir_id "$farch" "$part")"]=$farch/$part
          fi
        done
      fi
      comp=$(package_id "c_${farch}_$path")
      fid=$(package_id "f_${farch}_$path")
      guid=$(name_guid "$PACKAGE_COMPONENT_NAMESPACE" "$farch/$path")
      src=dist/$path
      [ "$farch" = x64 ] && src=dist/x64/$path
      comps+=("$comp")
      files_in["$(dir_id "$farch" "$dir")"]=1
      if [ "$farch" = x64 ]; then folders[OremundFolder64]=x64/..; else folders[OremundFolder]=x86/..; fi
      printf '  <DirectoryRef Id="%s">\n' "$(dir_id "$farch" "$dir")"
      printf '    <Component Id="%s" Guid="%s"%s>\n' "$comp" "$guid" "$([ "$farch" = x64 ] && echo ' Win64="yes"')"
      printf '      <File Id="%s" Name="%s" Source="%s" KeyPath="yes" />\n' "$fid" "$(formatted_text "$name")" "$(formatted_text "$src")"
      for word in $flags; do
        case $word in
          menu=*)
            printf '      <Shortcut Id="%s" Directory="MenuFolder" Name="%s" Target="[#%s]" WorkingDirectory="%s" />\n' \
              "$(package_id "m_$path")" "$(formatted_text "${word#menu=}")" "$fid" "$(dir_id "$farch" "$dir")"
            folders["MenuFolder"]=menu
            ;;
          com-server)
            local rows
            rows=$(server_rows "$farch") || return 1
            [ "$farch" = x86 ] && rows32=$rows
            registry_elements "$farch" "$fid" "$rows" "$rows32" || return 1
            ;;
        esac
      done
      printf '    </Component>\n  </DirectoryRef>\n'
    done
    # Folders that hold no file of the package go again on removal once they are empty
    # (the Start-menu folder, the maker's folder, lang\); the others go with their files.
    # A folder holding anything else, such as a table the user saved there, stays.
    local folder
    for folder in $(printf '%s\n' "${!folders[@]}" | LC_ALL=C sort); do
      [ -n "${files_in[$folder]:-}" ] && continue
      comp=$(package_id "c_folder_$folder")
      comps+=("$comp")
      printf '  <DirectoryRef Id="%s">\n' "$folder"
      printf '    <Component Id="%s" Guid="%s"%s>\n' "$comp" "$(name_guid "$PACKAGE_COMPONENT_NAMESPACE" "folder/${folders[$folder]}")" \
        "$([ "${folders[$folder]%%/*}" = x64 ] && echo ' Win64="yes"')"
      printf '      <RemoveFolder Id="%s" On="uninstall" />\n    </Component>\n  </DirectoryRef>\n' "$(package_id "rm_$folder")"
    done
    echo '  <Feature Id="Companions" Title="Kivra Companions" Level="1">'
    for comp in "${comps[@]}"; do printf '    <ComponentRef Id="%s" />\n' "$comp"; done
    echo '  </Feature>'
    echo '</Include>'
  } >"$out"
}

# make_package ARCH OUT [VERSION]: builds the package for ARCH (x86 or x64) from dist/ into
# OUT, versioned VERSION (by default Product.version's ProductVersion).
make_package() {
  local arch=$1 out=$2 version=${3:-} stage rc=0
  case $arch in x86 | x64) ;; *) echo "make_package: architecture x86 or x64, not '$arch'" >&2; return 2 ;; esac
  [ -n "$version" ] || version=$(package_version) || return 1
  [[ $version =~ ^([0-9]+)\.([0-9]+)\.([0-9]+)(\.[0-9]+)?$ ]] || { echo "make_package: bad version '$version'" >&2; return 2; }
  local major=${BASH_REMATCH[1]} minor=${BASH_REMATCH[2]} build=${BASH_REMATCH[3]}
  if [ "$major" -gt 255 ] || [ "$minor" -gt 255 ] || [ "$build" -ge 65535 ]; then
    echo "make_package: version $version is beyond Windows Installer's 255.255.65534" >&2
    return 2
  fi
  command -v wixl >/dev/null || { echo "no wixl (./dev setup installs it)" >&2; return 1; }
  package_contents "$arch" || return 1
  stage=$(mktemp -d)
  mkdir -p "$stage/dist"
  # wixl takes sources relative to where it runs: dist/ is reached through links.
  ln -s "$ROOT/dist"/* "$stage/dist/"
  cp "$ROOT/packaging/folders.js" "$stage/"
  write_contents "$arch" "$stage" || rc=1
  if [ "$rc" = 0 ]; then
    mkdir -p "$(dirname "$out")"
    local log
    log=$( (cd "$stage" && wixl -a "$arch" -D Arch="$arch" -D Version="$version" \
      -D UpgradeBelow="$major.$minor.$((build + 1))" -I "$stage" -o "$out.part" \
      "$ROOT/packaging/Kivra-Companions.wxs") 2>&1) || rc=1
    # wixl reports some faults of the source as warnings and still writes a package.
    if [ "$rc" != 0 ] || grep -qiE 'critical|warning|error' <<<"$log"; then
      echo "wixl failed for the $arch package:" >&2
      sed 's/^/  /' <<<"$log" | grep -v '^  $' >&2
      rc=1
    fi
  fi
  if [ "$rc" = 0 ]; then mv -f "$out.part" "$out"; else rm -f "$out.part"; fi
  rm -rf "$stage"
  return "$rc"
}

# ./dev profiles ROOT COMMAND [ARGS]: the profile store under Wine on the profiles key ROOT
# (a path below HKEY_CURRENT_USER), one JSON line per run. FILE arguments are Linux paths;
# the store and the registry editor get their Windows form.
driver_profiles() {
  if [ $# -lt 2 ]; then
    echo "usage: ./dev profiles ROOT COMMAND [ARGS]" >&2
    echo "  list | current | set-current NAME | describe NAME | set-description NAME TEXT" >&2
    echo "  create NAME [TEXT] | remove NAME | copy SRC DST [TEXT] | rename OLD NEW [TEXT]" >&2
    echo "  export NAME FILE | import FILE NAME | header FILE | launch NAME" >&2
    echo "  normalise PATH | short PATH | paths" >&2
    return 2
  fi
  local root=$1 command=$2
  shift 2
  case "$command" in
    export) [ $# -ge 2 ] && set -- "$1" "$(winpath "$2")" "${@:3}" ;;
    import|header) [ $# -ge 1 ] && set -- "$(winpath "$1")" "${@:2}" ;;
  esac
  run_dist tools/profile-store.exe "$root" "$command" "$@"
}

demo_20_profiles() {
  local root='Software\KivraDemo\Tessaline\Kivra 2013\ENU\Profiles'
  local file=$BUILD/demo/profiles/work.arg
  mkdir -p "$(dirname "$file")"
  rm -f "$file"
  say "profiles: a store on a scratch profiles key; copies, renames and imports go through regedit"
  driver_profiles "$root" list
  driver_profiles "$root" create Work "Daily work
with \"quotes\" and C:\\paths\\"
  driver_profiles "$root" set-current Work
  driver_profiles "$root" copy Work Review "A copy for reviews"
  driver_profiles "$root" rename Review "Design Review"
  driver_profiles "$root" export Work "$file"
  driver_profiles "$root" header "$file"
  driver_profiles "$root" import "$file" Imported
  driver_profiles "$root" describe Imported
  driver_profiles "$root" list
  say "profiles: the current profile cannot be removed"
  driver_profiles "$root" remove Work || true
  say "profiles: a root below a Tessaline key starts Kivra.exe (not installed here: the error box)"
  driver_profiles "$root" launch "Design Review" || true
  wine_run reg delete 'HKCU\Software\KivraDemo' /f >/dev/null 2>&1 || true
}

# ./dev wendmark screenshots ROOT FOLDER: the real Wendmark.exe on the profiles key ROOT on
# the virtual display, its main dialog, name dialog, profiles key dialog and about box saved
# as PNG files in FOLDER (a Linux path).
driver_wendmark() {
  if [ "${1:-}" != screenshots ] || [ $# -ne 3 ]; then
    echo "usage: ./dev wendmark screenshots ROOT FOLDER" >&2
    return 2
  fi
  mkdir -p "$3"
  run_dist --display tools/wendmark-remote.exe screenshots "$2" "$(winpath "$3")"
}

demo_21_wendmark() {
  local root='Software\KivraDemo\Tessaline\Kivra 2013\ENU\Profiles'
  local other='Software\KivraDemo\AutoCAD 2006\Profiles'
  local recent='HKCU\Software\Oremund\Wendmark\Recent Roots'
  local decoration='HKCU\Software\Wine\AppDefaults\Wendmark.exe\X11 Driver'
  local shots=$BUILD/wendmark
  say "wendmark: the profile manager on a demonstration profiles key"
  driver_profiles "$root" create Work "Daily work at the office:
pen tables for A1 plots, the company's templates" >/dev/null
  driver_profiles "$root" create "Design Review" "Large fonts for review meetings" >/dev/null
  driver_profiles "$root" create Home "Laptop set-up" >/dev/null
  driver_profiles "$root" set-current Work >/dev/null
  wine_run reg add "$recent" /v Key0 /t REG_SZ /d "$root" /f >/dev/null 2>&1 || true
  driver_profiles "$other" create "Plotting" >/dev/null
  wine_run reg add "$recent" /v Key1 /t REG_SZ /d "$other" /f >/dev/null 2>&1 || true
  # Without a window manager on the virtual display Wine draws the title bars itself, so the
  # pictures show the captions a user sees.
  wine_run reg add "$decoration" /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1 || true
  driver_wendmark screenshots "$root" "$shots"
  say "wendmark: screenshots in $shots: main.png, name.png, root.png, about.png"
  wine_run reg delete "$decoration" /f >/dev/null 2>&1 || true
  wine_run reg delete "$recent" /f >/dev/null 2>&1 || true
  wine_run reg delete 'HKCU\Software\KivraDemo' /f >/dev/null 2>&1 || true
}

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

# ./dev thumbnail FILE.dwg WIDTH HEIGHT OUT.bmp: the drawing's thumbnail as the shell gets
# it, written as a 24-bit .bmp; prints the stored preview's kind and size as JSON.
# ./dev thumbnail bench [ROUNDS]: thumbnails per second through CoCreateInstance and
# Vistrel.dll for the shared drawings, and the bytes each extraction reads.
# ./dev thumbnail register | unregister: the prefix's regsvr32 on the road's Vistrel.dll.
driver_thumbnail() {
  case "${1:-}" in
    bench) shift; thumbnail_bench "$@"; return ;;
    register | unregister) thumbnail_register "$1"; return ;;
  esac
  if [ $# -ne 4 ]; then
    echo "usage: ./dev thumbnail FILE.dwg WIDTH HEIGHT OUT.bmp | bench [ROUNDS] | register | unregister" >&2
    return 2
  fi
  local out_dir
  out_dir=$(dirname -- "$4")
  [ -d "$out_dir" ] || { echo "thumbnail: no folder $out_dir" >&2; return 2; }
  run_dist tools/vistrel-thumbnail.exe "$(winpath "$1")" "$2" "$3" "$(winpath "$4")" | tr -d '\r'
}

thumbnail_bench() {
  local rounds=${1:-50} files=() f
  choose_driver_road
  for f in "$ROOT"/../shared/testdata/dwg/*.dwg; do files+=("$(winpath "$f")"); done
  run_dist tools/vistrel-com-bench.exe "$(winpath "$DIST/Vistrel.dll")" "$rounds" 96 96 "${files[@]}" | tr -d '\r'
}

thumbnail_register() {
  choose_driver_road
  [ -f "$DIST/Vistrel.dll" ] || cmd_build >&2
  ensure_prefix
  local flags=(/s) rc=0
  [ "$1" = unregister ] && flags+=(/u)
  timeout -k 5 "$KIVRA_WINE_RUN_SECONDS" "$ROOT/cmake/wine-run" "${WINE_RUN_FLAGS[@]}" regsvr32 "${flags[@]}" \
    "$(winpath "$DIST/Vistrel.dll")" || rc=$?
  if [ "$rc" = 0 ]; then
    echo "{\"$1ed\": \"$(winpath "$DIST/Vistrel.dll" | sed 's/\\/\\\\/g')\"}"
  else
    echo "thumbnail: regsvr32 $1 failed (exit status $rc)" >&2
  fi
  return "$rc"
}

demo_50_thumbnail() {
  local shared="$ROOT/../shared/testdata/dwg" out="$BUILD/thumbnails" f name
  mkdir -p "$out"
  say "thumbnail: 96 x 96 thumbnails of the shared drawings (the no-thumbnail picture where none is stored)"
  for f in "$shared"/*.dwg "$shared"/damaged/*.dwg; do
    [ -f "$f" ] || continue
    name=$(basename "$f" .dwg)
    printf '%-40s ' "$name"
    driver_thumbnail "$f" 96 96 "$out/$name.bmp"
  done
  say "thumbnail: written to $out"
}

demo_51_thumbnail_com() {
  say "thumbnail: Vistrel.dll registered and asked through CoCreateInstance, as Explorer asks it (5 rounds)"
  thumbnail_bench 5 | grep -E '"machine"|"thumbnails_per_second"'
}

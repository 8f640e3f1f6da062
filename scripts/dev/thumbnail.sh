# ./dev thumbnail FILE.dwg WIDTH HEIGHT OUT.bmp: the drawing's thumbnail as the shell gets
# it, written as a 24-bit .bmp; prints the stored preview's kind and size as JSON.
driver_thumbnail() {
  if [ $# -ne 4 ]; then
    echo "usage: ./dev thumbnail FILE.dwg WIDTH HEIGHT OUT.bmp" >&2
    return 2
  fi
  local out_dir
  out_dir=$(dirname -- "$4")
  [ -d "$out_dir" ] || { echo "thumbnail: no folder $out_dir" >&2; return 2; }
  run_dist tools/vistrel-thumbnail.exe "$(winpath "$1")" "$2" "$3" "$(winpath "$4")" | tr -d '\r'
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

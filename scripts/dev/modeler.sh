# ./dev modeler COMMAND [ARGS]: the host driver under Wine, with Solvane.dll loaded as the
# host loads it.
#   ./dev modeler stats FILE.sat          one JSON line: restored?, topology counts, attributes
#   ./dev modeler save FILE.sat OUT.sat   the body saved back as SAT 6.0 (non-zero on failure)
#   ./dev modeler display FILE.sat MODE QUALITY OUT.obj
#                                         the display records (MODE isoline count, or < 0 for
#                                         a shaded mesh) written as OBJ, and one JSON line
#   ./dev modeler bench [FILE.sat]        restore throughput of Solvane.dll under Wine
#   ./dev modeler transform FILE.sat M11..M34 OUT.sat          the body moved (slot 7)
#   ./dev modeler snap FILE.sat FLAGS PX PY PZ LX LY LZ DX DY DZ  snap points (slot 56)
#   ./dev modeler points FILE.sat                              characteristic points (74)
#   ./dev modeler extents FILE.sat [M11..M34]                  box under a placement (75)
#   ./dev modeler perimeter FILE.sat                           the text as a region (76)
driver_modeler() {
  [ $# -gt 0 ] || { run_dist tools/stratum-host.exe; return; }
  case "$1" in
    stats)
      [ $# -eq 2 ] || { echo "usage: ./dev modeler stats FILE.sat" >&2; return 2; }
      run_dist tools/stratum-host.exe stats "$(winpath "$2")" ;;
    save)
      [ $# -eq 3 ] || { echo "usage: ./dev modeler save FILE.sat OUT.sat" >&2; return 2; }
      run_dist tools/stratum-host.exe save "$(winpath "$2")" "$(winpath "$3")" ;;
    transform)
      [ $# -eq 15 ] || { echo "usage: ./dev modeler transform FILE.sat M11 M12 M13 M21 .. M33 TX TY TZ OUT.sat" >&2; return 2; }
      run_dist tools/stratum-host.exe transform "$(winpath "$2")" "${@:3:12}" "$(winpath "${15}")" ;;
    snap)
      [ $# -eq 12 ] || { echo "usage: ./dev modeler snap FILE.sat FLAGS PX PY PZ LX LY LZ DX DY DZ" >&2; return 2; }
      run_dist tools/stratum-host.exe snap "$(winpath "$2")" "${@:3}" ;;
    points|perimeter)
      [ $# -eq 2 ] || { echo "usage: ./dev modeler $1 FILE.sat" >&2; return 2; }
      run_dist tools/stratum-host.exe "$1" "$(winpath "$2")" ;;
    extents)
      [ $# -eq 2 ] || [ $# -eq 14 ] || { echo "usage: ./dev modeler extents FILE.sat [M11 .. M33 TX TY TZ]" >&2; return 2; }
      run_dist tools/stratum-host.exe extents "$(winpath "$2")" "${@:3}" ;;
    display)
      [ $# -eq 5 ] || { echo "usage: ./dev modeler display FILE.sat MODE QUALITY OUT.obj" >&2; return 2; }
      run_dist tools/stratum-host.exe display "$(winpath "$2")" "$3" "$4" "$(winpath "$5")" ;;
    bench)
      shift
      run_dist tools/sat-bench.exe "$(winpath "${1:-$ROOT/../shared/testdata/sat/v2100_seven_bodies.sat}")" ;;
    *)
      run_dist tools/stratum-host.exe "$@" ;;
  esac
}

demo_40_modeler() {
  say "modeler: the host loads Solvane.dll and asks it"
  driver_modeler info
  driver_modeler error 205
  local sample=$ROOT/../shared/testdata/sat/v700_cylinder_material.sat out
  out=$(mktemp --suffix=.sat)
  say "modeler: a body with foreign attributes, restored and saved back as SAT 6.0"
  driver_modeler stats "$sample"
  driver_modeler save "$sample" "$out"
  driver_modeler stats "$out"
  head -c 300 "$out"; echo
  say "modeler: snap points, extents and a moved copy of the cylinder"
  driver_modeler snap "$sample" 0x15 0 0 0 0 0 0 0 0 -1
  driver_modeler extents "$sample"
  driver_modeler transform "$sample" 0 2 0 -2 0 0 0 0 2 100 0 0 "$out"
  driver_modeler extents "$out"
  driver_modeler perimeter "$ROOT/../shared/testdata/sat/v106_r13_region.sat"
  rm -f "$out"
}

# Pictures of display output: each sample shaded and as a wireframe, drawn from the driver's
# OBJ files by the native build's own rasteriser (build/native/bin/obj-render).
demo_41_modeler_display() {
  local out=$BUILD/display sat=$ROOT/../shared/testdata/sat name render=$BUILD/native/bin/obj-render
  mkdir -p "$out"
  [ -x "$render" ] || { say "modeler: $render is missing (./dev build makes it); no pictures"; return 1; }
  for name in v1600_testgeom v700_asm_torus_part_subset v20800_lofted_spline_sheet v1600_hollow v400_torus_plain_strings; do
    say "modeler: $name shaded at quality 0.5, and as a wireframe (4 parameter lines, within 0.05)"
    driver_modeler display "$sat/$name.sat" -1 0.5 "$out/$name-shaded.obj"
    driver_modeler display "$sat/$name.sat" 4 0.05 "$out/$name-wireframe.obj"
    "$render" "$out/$name-shaded.obj" "$out/$name-shaded.png"
    "$render" "$out/$name-wireframe.obj" "$out/$name-wireframe.png"
  done
  say "modeler: pictures of the display records saved in $out (*-shaded.png, *-wireframe.png)"
}

# ./dev plotstyle [--native] COMMAND ARGS: the plot style table component's driver.
#   dump FILE            the table as one JSON document
#   save FILE OUT        read FILE and write it to OUT through the component
#   text FILE            the inflated text of a table file
#   bench [FILE] [N]     mean read and write time of a full colour table
#   fuzz [SECONDS]       both fuzz targets, seeded with the sample tables
# Runs dist/tools/plotstyle.exe under Wine with VexoUtils.dll, as the editor loads it;
# --native runs the Linux build instead (sanitizers on; release build for bench).

PLOTSTYLE_SAMPLES=$ROOT/../shared/testdata/ctb

plotstyle_native_tool() {  # plotstyle_native_tool BUILD_DIR CONFIGURE_ARGS...
  local dir=$1; shift
  ensure_setup
  configure "$dir" "$@"
  cmake --build "$dir" --target plotstyle >&2
  echo "$dir/bin/plotstyle"
}

plotstyle_fuzz() {
  local seconds=${1:-60} seeds text
  local tool
  tool=$(plotstyle_native_tool "$BUILD/native" -DKIVRA_SANITIZE=ON)
  seeds=$BUILD/fuzz/seeds/plotstyle-files
  text=$BUILD/fuzz/seeds/plotstyle-text
  mkdir -p "$seeds" "$text"
  cp "$PLOTSTYLE_SAMPLES"/*.?tb "$seeds"/
  for f in "$PLOTSTYLE_SAMPLES"/*.?tb; do "$tool" text "$f" >"$text/$(basename "$f").txt"; done
  KIVRA_FUZZ_SEEDS=$seeds cmd_fuzz VexoUtilsReadFuzzer "$seconds"
  KIVRA_FUZZ_SEEDS=$text cmd_fuzz VexoUtilsTextFuzzer "$seconds"
}

driver_plotstyle() {
  local native=0
  [ "${1:-}" = --native ] && { native=1; shift; }
  local command=${1:-}
  [ -n "$command" ] || { echo "usage: ./dev plotstyle [--native] dump FILE | save FILE OUT | text FILE | bench [FILE] [N] | fuzz [SECONDS]" >&2; return 2; }
  shift
  case "$command" in
    fuzz) plotstyle_fuzz "$@"; return ;;
    bench) [ $# -gt 0 ] || set -- "$PLOTSTYLE_SAMPLES/ezdxf-ctbtest.ctb" 500 ;;
  esac
  local args=() a i=0
  for a in "$@"; do
    i=$((i + 1))
    # every argument is a path but the round count of bench
    if [ "$command" = bench ] && [ "$i" = 2 ]; then args+=("$a"); continue; fi
    if [ "$native" = 1 ]; then args+=("$(readlink -m "$a")"); else args+=("$(winpath "$a")"); fi
  done
  if [ "$native" = 1 ]; then
    local tool
    if [ "$command" = bench ]; then
      tool=$(plotstyle_native_tool "$BUILD/bench" -DCMAKE_BUILD_TYPE=Release)
    else
      tool=$(plotstyle_native_tool "$BUILD/native" -DKIVRA_SANITIZE=ON)
    fi
    "$tool" "$command" "${args[@]}"
  else
    run_dist tools/plotstyle.exe "$command" "${args[@]}"
  fi
}

demo_30_plotstyle() {
  local out=$BUILD/demo-plotstyle
  mkdir -p "$out"
  say "plot styles: a colour table read through VexoUtils.dll under Wine (first styles)"
  driver_plotstyle dump "$PLOTSTYLE_SAMPLES/ezdxf-ctbtest.ctb" >"$out/ctbtest.json"
  head -n 12 "$out/ctbtest.json"
  say "plot styles: every sample saved and read again gives the same document"
  local f name
  for f in "$PLOTSTYLE_SAMPLES"/*.?tb; do
    name=$(basename "$f")
    driver_plotstyle dump "$f" >"$out/$name.json"
    driver_plotstyle save "$f" "$out/$name"
    driver_plotstyle dump "$out/$name" >"$out/$name.again.json"
    if cmp -s "$out/$name.json" "$out/$name.again.json"; then echo "  same: $name"; else echo "  DIFFERENT: $name"; fi
  done
  say "plot styles: a file that is not a table"
  driver_plotstyle dump "$ROOT/README.md" || true
  say "plot styles: read and write timing under Wine"
  driver_plotstyle bench
}

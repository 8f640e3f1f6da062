# ./dev modeler COMMAND [ARGS]: the host driver under Wine, with Solvane.dll loaded as the
# host loads it.
driver_modeler() {
  [ $# -gt 0 ] || { run_dist tools/stratum-host.exe; return; }
  run_dist tools/stratum-host.exe "$@"
}

demo_40_modeler() {
  say "modeler: the host loads Solvane.dll and asks it"
  driver_modeler info
  driver_modeler error 205
}

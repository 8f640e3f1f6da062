# The environment of one Windows road, shared by ./dev and cmake/wine-run.
#   win32  the product's own architecture: 32-bit Wine, prefix build/wine-win32
#   win64  64-bit Wine, prefix build/wine-win64; the only road on machines whose processor
#          mode runs no 32-bit user code
# The loaders are called by path: Debian's /usr/bin/wine picks the 32-bit one whenever it is
# installed. KIVRA_WINE32_LOADER and KIVRA_WINE64_LOADER replace them (the scripts' own tests
# point them at programs that fail or hang); KIVRA_WINE_PREFIX_ROOT moves the prefixes.

wine_road_env() {  # wine_road_env ROAD BUILD_DIR
  case $1 in
    win32) export WINEARCH=win32 KIVRA_WINE_LOADER=${KIVRA_WINE32_LOADER:-/usr/lib/wine/wine} ;;
    win64) export WINEARCH=win64 KIVRA_WINE_LOADER=${KIVRA_WINE64_LOADER:-/usr/lib/wine/wine64} ;;
    *) echo "unknown Windows road: $1 (win32 or win64)" >&2; return 2 ;;
  esac
  export KIVRA_ROAD=$1
  export WINEPREFIX=${KIVRA_WINE_PREFIX_ROOT:-$2}/wine-$1
  export WINESERVER=${KIVRA_WINESERVER:-/usr/lib/wine/wineserver64}
  export WINELOADER=$KIVRA_WINE_LOADER
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
}

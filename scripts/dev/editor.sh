# ./dev editor COMMAND [ARGS]: the plot style editor's pieces under Wine, through
# dist/editor-host.exe, a stand-in for the host that sits in the host's program folder.
#   ./dev editor load                       load Quellon.dll as the host does
#   ./dev editor colorindex [OPTIONS]       open the colour index dialog, act, press OK
#        --index N --no-special --pick N --click X,Y --type TEXT --screenshot FILE.png --hold MS
#   ./dev editor locate-help                where the help file is looked for
#   ./dev editor help [TOPIC]               open a help topic (default 115)
#   ./dev editor edit FILE [OPTIONS]        open the table editor on a table file
#        --tab general|form --select I,J,... --screenshot FILE.png --hold MS --time ROUNDS
#        --interactive
#        --show menu|lineweights|name: the screenshot is of the style list's menu, the
#        lineweight dialog or the style name dialog, opened over the editor and closed
#   ./dev editor wizard add|new [OPTIONS]  walk the add-table or new-table wizard
#        --named --pens --method scratch|existing|pens|pcp --source FILE --dir DIR
#        --name NAME --screenshots DIR --cancel --interactive
# The help commands first record dist/ as the installation directory ("InstallDir"), as
# the product's installer does.
editor_register_install_dir() {
  choose_driver_road
  WINEPATH="$(winpath "$DIST")" wine_run reg add 'HKLM\Software\Oremund\Kivra 2013\2013' \
    /v InstallDir /t REG_SZ /d "$(winpath "$DIST")" /f >/dev/null 2>&1 || true
}

driver_editor() {
  local command=${1:-}
  [ -n "$command" ] || { echo "usage: ./dev editor load|colorindex|locate-help|help|edit|wizard [ARGS]" >&2; return 2; }
  shift
  case "$command" in
    load) run_dist editor-host.exe load ;;
    colorindex)
      local args=() a
      # Screenshot paths are given as Linux paths and handed over in Windows form.
      while [ $# -gt 0 ]; do
        a=$1; shift
        if [ "$a" = --screenshot ] && [ $# -gt 0 ]; then
          mkdir -p "$(dirname "$1")"
          args+=(--screenshot "$(winpath "$1")"); shift
        else
          args+=("$a")
        fi
      done
      run_dist --display editor-host.exe colorindex "${args[@]}" ;;
    edit)
      [ $# -gt 0 ] || { echo "usage: ./dev editor edit FILE [OPTIONS]" >&2; return 2; }
      local file args=() a
      file=$(winpath "$1"); shift
      while [ $# -gt 0 ]; do
        a=$1; shift
        if [ "$a" = --screenshot ] && [ $# -gt 0 ]; then
          mkdir -p "$(dirname "$1")"
          args+=(--screenshot "$(winpath "$1")"); shift
        else
          args+=("$a")
        fi
      done
      run_dist --display editor-host.exe edit "$file" "${args[@]}" ;;
    wizard)
      local args=() a
      # Folders and files are given as Linux paths and handed over in Windows form.
      while [ $# -gt 0 ]; do
        a=$1; shift
        case "$a" in
          --screenshots|--dir|--source)
            [ $# -gt 0 ] || { echo "$a needs a value" >&2; return 2; }
            [ "$a" = --source ] || mkdir -p "$1"
            args+=("$a" "$(winpath "$1")"); shift ;;
          *) args+=("$a") ;;
        esac
      done
      run_dist --display editor-host.exe wizard "${args[@]}" ;;
    locate-help) editor_register_install_dir; run_dist editor-host.exe locate-help ;;
    help) editor_register_install_dir; run_dist --display editor-host.exe help "${1:-115}" --hold "${2:-1500}" ;;
    *) echo "unknown editor command: $command" >&2; return 2 ;;
  esac
}

demo_51_style_commands() {
  local samples=$ROOT/../shared/testdata/ctb shot
  shot=$BUILD/editor-style-menu.png
  say "editor: the style list's menu on ezdxf-stbtest.stb (style 1 selected), screenshot $shot"
  driver_editor edit "$samples/ezdxf-stbtest.stb" --select 1 --show menu --hold 600 --screenshot "$shot"
  shot=$BUILD/editor-style-name.png
  say "editor: the name of a new style, proposed from the names in use, screenshot $shot"
  driver_editor edit "$samples/ezdxf-stbtest.stb" --select 2 --show name --hold 600 --screenshot "$shot"
  shot=$BUILD/editor-lineweights.png
  say "editor: the lineweights of apm-lineweight-names.stb with their in-use marks, screenshot $shot"
  driver_editor edit "$samples/apm-lineweight-names.stb" --show lineweights --hold 600 --screenshot "$shot"
}

demo_50_editor() {
  say "editor: Quellon.dll loads with lang/ENU/QuellonRes.dll below the host's folder"
  driver_editor load
  local shot=$BUILD/colorindex.png
  say "editor: the colour index dialog, index 134 picked by a click on its cell"
  driver_editor colorindex --pick 134 --hold 800 --screenshot "$shot"
  say "editor: screenshot of the colour index dialog saved to $shot"
  local samples=$ROOT/../shared/testdata/ctb table kind tab
  for table in ezdxf-ctbtest.ctb ezdxf-stbtest.stb; do
    kind=${table##*.}
    for tab in form general; do
      shot=$BUILD/editor-$kind-$tab.png
      say "editor: the table editor on $table, $tab tab, screenshot $shot"
      driver_editor edit "$samples/$table" --tab "$tab" --select 1,2 --hold 600 --screenshot "$shot"
    done
  done
  editor_demo_wizards
  say "editor: opening a colour table and showing its form view, 10 rounds under Wine"
  driver_editor edit "$samples/ezdxf-ctbtest.ctb" --time 10
  say "editor: help topic 115 from Kivra.chm below the installation directory"
  driver_editor locate-help
  driver_editor help 115 800
}

# Every page of both wizards, walked as a user would, into build/wizard/*.png; the tables
# they make go to build/wizard/tables.
editor_demo_wizards() {
  local shots=$BUILD/wizard tables=$BUILD/wizard/tables
  rm -rf "$shots"; mkdir -p "$tables"
  local pcp=$tables/plotter.pcp
  printf '; a plotter with three pens\nUNITS=M\nCOLOR=1\nPEN=1\nWIDTH=0.25\nEND\nCOLOR=2\nPEN=2\nWIDTH=0.5\nEND\nCOLOR=5\nPEN=3\nWIDTH=0.7\nEND\n' >"$pcp"
  say "editor: add-table wizard, a named table from a PCP file (method, type, source, name, finish)"
  driver_editor wizard add --pens --method pcp --named --source "$pcp" --dir "$tables" \
    --name from-pcp --screenshots "$shots/add-pcp"
  say "editor: add-table wizard, a copy of a shared sample (method, source, name, finish)"
  driver_editor wizard add --method existing --source "$ROOT/../shared/testdata/ctb/ezdxf-stbtest.stb" \
    --dir "$tables" --name copy --screenshots "$shots/add-existing"
  say "editor: new-table wizard, a named table from pen settings (method, name, finish)"
  driver_editor wizard new --named --pens --method pens --dir "$tables" --name from-pens \
    --screenshots "$shots/new-pens"
  say "editor: new-table wizard, a colour table from a PCP file (method, source, name, finish)"
  driver_editor wizard new --method pcp --source "$pcp" --dir "$tables" --name new-pcp \
    --screenshots "$shots/new-pcp"
  say "editor: wizard pages saved to $shots/*/*.png"
}

// The entry points of Quellon.dll through which the host and the launcher add, create and
// edit plot style tables, shared by the library, the launcher and the test host. The
// string and window types are the framework's, with the layouts BoundaryTypes.h fixes.
// Each call runs one of the editor's modal dialogs, reports its outcome as a bool and lets
// no exception out.
#pragma once

#include "dialogs/BoundaryTypes.h"
#include "vexoutils/PlotStyleTable.h"

// Runs the add-table wizard for a new table in `directory`. Finished: `name` receives the new
// file's name (no folder) and the result is true. Cancelled: false, `name` unchanged.
bool addPStyleTable(dlg::String& name, const char* directory, const PenSettings* pens,
                    bool penFlag, dlg::Window* parent);
// Runs the new-table wizard for a table of the given kind. Finished: true, and `name` gets
// the file's name when the wizard's last check box was left checked, else it is emptied.
bool newPStyleTable(dlg::String& name, bool colorDependent, const char* directory,
                    const PenSettings* pens, bool penFlag, dlg::Window* parent);
// Runs the table editor on `table`, which it takes over and deletes whatever happens. True
// when the table was written at least once while the editor was open.
bool editPStyleTable(CPlotStyleTable* table, const char* path, dlg::Window* parent);
// Reads the table file and edits it as above; an unreadable file gives false, silently.
bool editPStyleTable(const char* path, dlg::Window* parent);

namespace quellon {

// The entry points as a host binds them with GetProcAddress: their types and exported names
// (the compiler's names for the declarations above, as Quellon.def lists them).
using AddPStyleTableFn = bool (*)(dlg::String&, const char*, const PenSettings*, bool,
                                  dlg::Window*);
using NewPStyleTableFn = bool (*)(dlg::String&, bool, const char*, const PenSettings*, bool,
                                  dlg::Window*);
using EditTableFn = bool (*)(CPlotStyleTable*, const char*, dlg::Window*);
using EditFileFn = bool (*)(const char*, dlg::Window*);

constexpr const char* kAddPStyleTableName =
    "_Z14addPStyleTableRN3dlg6StringEPKcPK11PenSettingsbPNS_6WindowE";
constexpr const char* kNewPStyleTableName =
    "_Z14newPStyleTableRN3dlg6StringEbPKcPK11PenSettingsbPNS_6WindowE";
constexpr const char* kEditTableName =
    "_Z15editPStyleTableP15CPlotStyleTablePKcPN3dlg6WindowE";
constexpr const char* kEditFileName = "_Z15editPStyleTablePKcPN3dlg6WindowE";

// One entry point of a loaded Quellon.dll, as type `Fn`; null when the library lacks it.
template <class Fn>
Fn bindEntryPoint(HMODULE library, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

}  // namespace quellon

// Quellon.dll's entry points. Each runs with the library's module state for its whole call
// (its activation context, and QuellonRes.dll as the resource handle) and lets nothing
// thrown out: every failure is the bool result.
#include "quellon/QuellonExports.h"

#include "AddTableWizard.h"
#include "NewTableWizard.h"
#include "PlotStyleEditorApp.h"
#include "TableEditorDialog.h"

#include "dialogs/ModuleState.h"

namespace {

HINSTANCE editorResources() {
    auto* app = dynamic_cast<quellon::PlotStyleEditorApp*>(dlg::App::current());
    if (app && app->resourceLibrary()) return app->resourceLibrary();
    return dlg::resourceHandle();
}

// The library's module state, switched in for one call and back on return.
class ExportScope {
public:
    ExportScope() : resources_(editorResources()) {}

private:
    dlg::ModuleStateScope state_;
    dlg::ResourceHandleScope resources_;
};

std::string textOf(const char* text) {
    return text ? std::string(text) : std::string();
}

}  // namespace

bool addPStyleTable(dlg::String& name, const char* directory, const PenSettings* pens,
                    bool penFlag, dlg::Window* parent) {
    try {
        ExportScope scope;
        std::string made;
        if (!quellon::runAddTableWizard(textOf(directory), pens, penFlag, dlg::handleOf(parent),
                                        made))
            return false;
        name = made;
        return true;
    } catch (...) {
        return false;
    }
}

bool newPStyleTable(dlg::String& name, bool colorDependent, const char* directory,
                    const PenSettings* pens, bool penFlag, dlg::Window* parent) {
    try {
        ExportScope scope;
        std::string made;
        if (!quellon::runNewTableWizard(colorDependent, textOf(directory), pens, penFlag,
                                        dlg::handleOf(parent), made))
            return false;
        name = made;
        return true;
    } catch (...) {
        return false;
    }
}

bool editPStyleTable(CPlotStyleTable* table, const char* path, dlg::Window* parent) {
    // Ours from here on, whatever happens below: the pointer is deleted on every road.
    quellon::TablePtr owned(table);
    if (!owned) return false;
    try {
        ExportScope scope;
        const std::string file = textOf(path);
        return quellon::runTableEditor(owned.release(), file, dlg::handleOf(parent));
    } catch (...) {
        return false;
    }
}

bool editPStyleTable(const char* path, dlg::Window* parent) {
    try {
        if (!path) return false;
        CPlotStyleTable* table = CPlotStyleTable::read(path);
        if (!table) return false;
        return editPStyleTable(table, path, parent);
    } catch (...) {
        return false;
    }
}

// The editor's texts from the resource library's string table.
#pragma once

#include "Strings.h"

#include "dialogs/ModuleState.h"

namespace quellon {

class ResourceStrings : public Strings {
public:
    std::string text(unsigned id) const override { return dlg::loadString(id); }
};

}  // namespace quellon

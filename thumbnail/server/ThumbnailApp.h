// Vistrel.dll's application object: at load it sets up the server module with the class
// table, at unload it releases the cached class objects.
#pragma once

#include "dialogs/App.h"

namespace vistrel {

class ThumbnailApp : public dlg::App {
public:
    ThumbnailApp() : dlg::App(std::string()) {}

protected:
    bool initInstance() override;
    int exitInstance() override;
};

}  // namespace vistrel

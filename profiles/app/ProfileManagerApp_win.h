// Wendmark's application object: its instance initialisation does all the work (resources,
// root, single instance, the main dialog) and reports failure, so no message loop follows.
#pragma once

#include "Startup.h"
#include "dialogs/App.h"

#include <string>

namespace profiles {

class ProfileManagerApp : public dlg::App {
public:
    ProfileManagerApp() : dlg::App(kProgramTitle) {}
    // The profiles key this run manages.
    const std::string& root() const { return root_; }

protected:
    bool initInstance() override;

private:
    std::string root_;
};

// The single-instance mutex's name, the same for every root and user.
constexpr const char* kInstanceMutexName = "rostelle_";

}  // namespace profiles

// What the host does with a modeler library: load it, call its createViewer, keep the
// result as the current modeler, and unload it again.
#pragma once

#include "stratum/Modeler.h"
#include "stratum/StratumApi.h"

#include <string>

class STRATUM_API ModelerHost {
public:
    ModelerHost() = default;
    ~ModelerHost();
    ModelerHost(const ModelerHost&) = delete;
    ModelerHost& operator=(const ModelerHost&) = delete;

    // Loads the library (by file name or path) and asks it for its modeler. On failure
    // returns false and error() tells why.
    bool load(const std::string& library);
    // Calls createViewer again, as the host does when it needs the modeler once more.
    CModeler* createViewer();
    // Unloads the library; its modeler is destroyed and CModeler::s_pModeler left null.
    void unload();

    bool loaded() const { return module_ != nullptr; }
    CModeler* modeler() const { return CModeler::get(); }
    const std::string& error() const { return error_; }

private:
    void* module_ = nullptr;
    void* createViewerEntry_ = nullptr;
    std::string error_;
};
